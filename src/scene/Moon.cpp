#include "scene/Moon.h"

#include <glm/gtc/matrix_transform.hpp>

namespace scene {

Moon::Moon(const glm::mat4& model, Shader* shader, Texture* texture, const std::string& modelPath,
           MaterialP* material)
    : Sphere(model, shader, texture, modelPath, material)
{
}

void Moon::initialize()
{
    transform = glm::rotate(glm::mat4(1.0f), orbitAngle, orbitAxis) *
                glm::translate(glm::mat4(1.0f), glm::vec3(radius, 0.0f, 0.0f));
}

void Moon::update(float deltaTime)
{
    const float step = orbitSpeed * deltaTime;
    orbitAngle += step;
    if (orbitAngle > 360.0f)
        orbitAngle -= 360.0f;
    spinAngle -= 30.0f * step; // rolls at thirty times the orbit rate
    if (orbitAngle > wrapThreshold)
        orbitAngle -= fullTurn;

    if (jumping) {
        // The orbit angle only grows, so one below the jump's start has wrapped
        // since the jump began: measure the jump on the unwrapped angle. This
        // holds whatever jumpEnd is, also for a jump that ends just short of
        // the wrap and whose last update carries the angle across it.
        const float along = jumpStart > orbitAngle ? orbitAngle + fullTurn : orbitAngle;
        const float half = jumpLength * 0.5f;
        float t = along - jumpStart;
        if (!(t < half))
            t = jumpEnd - along;
        jumpHeight = t / half * jumpPeak;
        if (along > jumpEnd) {
            jumping = false;
            jumpHeight = 0.0f;
            jumpStart = 0.0f;
            jumpEnd = 0.0f;
        }
    }
    rebuildTransform();
}

void Moon::rebuildTransform()
{
    transform = glm::rotate(glm::mat4(1.0f), orbitAngle, orbitAxis) *
                glm::translate(glm::mat4(1.0f), glm::vec3(radius, jumpHeight, 0.0f)) *
                glm::rotate(glm::mat4(1.0f), spinAngle, spinAxis);
}

void Moon::startJump()
{
    jumping = true;
    jumpStart = orbitAngle;
    jumpEnd = orbitAngle + jumpLength;
}

std::string Moon::describe()
{
    return "I'm a moon";
}

} // namespace scene
