#version 410 core

// The stones: the lighting of directionalLight.frag for a solid body, with the
// surface normal taken from a tangent-space normal map when normalMapping is 1,
// and the light that the sunlit ring throws back up at a stone.
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
uniform sampler2D normalMap;
uniform int normalMapping;
// Compare function GL_GREATER: a lookup gives 1 where the fragment is in shadow.
uniform sampler2DShadow shadowMap;

in vec3 worldPosition;
in vec3 worldNormal;
in vec3 worldTangent;
in vec3 worldBitangent;
in vec2 texCoord;
in vec4 lightSpacePosition;

out vec4 fragColor;

// 0 = fully lit, 1 = fully shadowed; four filtered taps, outside the light's
// box counts as lit.
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

vec3 surfaceNormal()
{
    vec3 n = normalize(worldNormal);
    if (normalMapping == 0 || dot(worldTangent, worldTangent) < 1e-8 || dot(worldBitangent, worldBitangent) < 1e-8)
        return n;
    vec3 mapped = texture(normalMap, texCoord).rgb * 2.0 - 1.0;
    mapped.y = -mapped.y; // the stone's map stores green flipped
    mat3 tangentToWorld = mat3(normalize(worldTangent), normalize(worldBitangent), n);
    return normalize(tangentToWorld * mapped);
}

// The sunlit ring around a stone throws light back up at it: its sides and
// underside get more than the plain ambient light (an upright face 0.4 more of
// it, a face turned down 0.8 more), its top none. Even the side turned away
// from the sun then reads as light rock against the ring.
const float ringBounce = 0.8;

void main()
{
    vec3 n = surfaceNormal();
    vec3 toSun = normalize(sunLight.lightPos);
    vec3 toEye = normalize(cameraPosition - worldPosition);

    float diffuse = max(dot(n, toSun), 0.0);
    float specular = 0.0;
    if (diffuse > 0.0)
        specular = mat.specularIntensity * pow(max(dot(n, normalize(toSun + toEye)), 0.0), mat.specularPower);

    // The shadow test uses the geometric normal: the map's bumps do not move
    // the shadow's edge.
    float shadow = shadowAmount(max(dot(normalize(worldNormal), toSun), 0.0));
    float ambient = sunLight.ambientIntensity * (1.0 + ringBounce * (0.5 - 0.5 * n.y));
    // Ambient plus direct light reach the stored colour at most (full sun), so
    // that a sunlit stone stays rock-coloured; a shadow keeps the ambient part
    // and a little of the direct one.
    float light = ambient + (1.0 - ambient) * diffuse * mix(1.0, 0.15, shadow);

    vec3 surface = texture(color_texture, texCoord).rgb;
    vec3 color = sunLight.lightColor * (surface * light + specular * (1.0 - shadow));
    fragColor = vec4(color, mat.transparency);
}
