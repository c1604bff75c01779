#pragma once

#include "gpu/Shader.h"
#include "gpu/Wireframe.h"

#include <GL/glew.h>

#include <vector>

// Both track sections' copies of a list, section 1's first.
template <typename Instance>
std::vector<Instance> joinedSections(std::vector<Instance> section1, const std::vector<Instance>& section2)
{
    section1.insert(section1.end(), section2.begin(), section2.end());
    return section1;
}

// Draws placed copies of a template with the bound program: one "model"
// upload and one draw call each.
template <typename Instance>
void drawInstances(const Shader& shader, const std::vector<Instance>& instances)
{
    for (const Instance& instance : instances) {
        shader.setMat4("model", instance.model);
        glBindVertexArray(instance.vao);
        drawTriangles(static_cast<GLsizei>(instance.vertexCount));
        glBindVertexArray(0);
    }
}
