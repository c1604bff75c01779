#version 410 core

// Ambient + Lambert diffuse + Blinn-Phong specular from the sun, with soft
// shadows from the sun's depth map.
struct SunLight {
    vec3 lightColor;
    vec3 lightPos; // direction towards the sun, normalised
    float ambientIntensity;
};

struct Material {
    float specularIntensity;
    float specularPower;
    float transparency;
};

uniform SunLight sunLight;
uniform Material mat;
uniform vec3 cameraPosition;
uniform sampler2D color_texture;
// Compare function GL_GREATER: a lookup gives 1 where the fragment lies
// behind the nearest occluder, that is in shadow.
uniform sampler2DShadow shadowMap;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;
in vec4 lightSpacePosition;

out vec4 fragColor;

// 0 = fully lit, 1 = fully shadowed. Four filtered taps around the texel soften
// the edge; everything outside the light's box counts as lit.
float shadowAmount(float facing)
{
    vec3 p = lightSpacePosition.xyz / lightSpacePosition.w * 0.5 + 0.5;
    if (p.x < 0.0 || p.x > 1.0 || p.y < 0.0 || p.y > 1.0 || p.z < 0.0 || p.z > 1.0)
        return 0.0;
    float reference = p.z - (0.0005 + 0.0015 * (1.0 - facing));
    vec2 spread = 1.5 / vec2(textureSize(shadowMap, 0));
    float shadow = texture(shadowMap, vec3(p.xy + vec2(-spread.x, -spread.y), reference));
    shadow += texture(shadowMap, vec3(p.xy + vec2(spread.x, -spread.y), reference));
    shadow += texture(shadowMap, vec3(p.xy + vec2(-spread.x, spread.y), reference));
    shadow += texture(shadowMap, vec3(p.xy + vec2(spread.x, spread.y), reference));
    return shadow * 0.25;
}

// The ring is the one translucent surface: a layer of small particles, each
// of them lit by the sun whatever the angle at which the light grazes the
// layer. Its light therefore comes mostly straight from the sun, and a shadow
// on it takes most of that away. Solid bodies follow Lambert's law.
float particleLayer()
{
    return clamp((1.0 - mat.transparency) * 2.0, 0.0, 1.0); // 0 solid .. 1 the ring
}

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 toSun = normalize(sunLight.lightPos);
    vec3 toEye = normalize(cameraPosition - worldPosition);

    float lambert = max(dot(n, toSun), 0.0);
    float specular = 0.0;
    if (lambert > 0.0)
        specular = mat.specularIntensity * pow(max(dot(n, normalize(toSun + toEye)), 0.0), mat.specularPower);

    float layer = particleLayer();
    float diffuse = mix(lambert, smoothstep(0.0, 0.05, lambert), layer);
    float ambient = sunLight.ambientIntensity * mix(1.0, 0.45, layer);
    float shadow = shadowAmount(lambert);
    // Ambient plus direct light reach the stored colour at most (full sun); a
    // shadow keeps the ambient part and a little of the direct one.
    float light = ambient + (1.0 - ambient) * diffuse * mix(1.0, mix(0.15, 0.05, layer), shadow);

    // What a surface reflects as a highlight it does not also scatter, so
    // even a highlight's centre keeps a trace of the surface's colour: a glint
    // on steel, not a white patch.
    float highlight = specular * (1.0 - shadow);
    vec3 surface = texture(color_texture, texCoord).rgb;
    vec3 color = sunLight.lightColor * (surface * light * (1.0 - highlight) + highlight);
    fragColor = vec4(color, mat.transparency);
}
