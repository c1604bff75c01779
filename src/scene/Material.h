#pragma once

// The four lighting constants of a surface, copied into the shaders by the
// lit pass and the sun image pass. The three presets below are all the game
// uses; nothing asks which class a material is.
class MaterialP {
public:
    float ambientIntensity = 0.0f;
    float specularPower = 0.0f;
    float specularIntensity = 0.0f;
    float transparency = 1.0f; // opacity: 1 opaque, 0.5 half transparent

    virtual ~MaterialP() = default;
};

// Planets, stones and the sky box: almost no highlight.
class DullMaterial : public MaterialP {
public:
    DullMaterial()
    {
        ambientIntensity = 0.4f;
        specularPower = 100.0f;
        specularIntensity = 0.01f;
        transparency = 1.0f;
    }
};

// The cogwheels: a broad, strong highlight.
class ShinyMaterial : public MaterialP {
public:
    ShinyMaterial()
    {
        ambientIntensity = 0.4f;
        specularPower = 32.0f;
        specularIntensity = 0.8f;
        transparency = 1.0f;
    }
};

// The ring track: dull and half transparent.
class TransparentMat : public MaterialP {
public:
    TransparentMat()
    {
        ambientIntensity = 0.4f;
        specularPower = 100.0f;
        specularIntensity = 0.01f;
        transparency = 0.5f;
    }
};
