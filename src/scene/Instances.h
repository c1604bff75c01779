#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

// A placed stone: the obstacle template's vertex array drawn with its own
// model matrix.
struct ObstacleInstance {
    GLuint vao = 0;
    GLuint vertexCount = 0;
    float spinAngle = 0.0f;
    glm::mat4 model{1.0f};
};

// A placed cogwheel. Two goodies are the same goodie when their model
// matrices are equal element by element.
struct GoodieInstance {
    GLuint vao = 0;
    GLuint vertexCount = 0;
    glm::mat4 model{1.0f};

    bool operator==(const GoodieInstance& other) const { return model == other.model; }
};
