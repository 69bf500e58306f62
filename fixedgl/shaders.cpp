// The layer's shader programs: one GLSL ES 1.00 source whose variants are
// chosen by #defines, compiled at first use. The vertex shader does GL 1.1's
// per-vertex lighting; the fragment shader its texture modulation and fog.
#include <stdio.h>
#include <string>

#include "fixedgl/draw.h"

namespace {

const char* kVertexShader = R"(
attribute vec4 aPosition;
attribute vec3 aNormal;
attribute vec4 aColor;
attribute vec4 aTexCoord;
attribute float aSegment;
uniform mat4 uProjection;
uniform mat4 uModelView;
uniform mat3 uNormalMatrix;
uniform mat4 uTextureMatrix;
#ifdef INHERIT_MIXED
attribute vec3 aInherit;
uniform vec4 uCurrent[3];  // colour, normal, texture coordinate for inheriting vertices
#endif
varying vec4 vColor;
#ifdef TEXTURE_AFFINE
varying vec2 vTexCoord;
#elif defined(TEXTURE)
varying vec4 vTexCoord;
#endif
#if FOG != 0 && !defined(FOG_CONSTANT)
varying float vFog;
#endif
#ifdef LIGHTING
uniform vec4 uMaterial[4 * MATERIALS];  // emission, ambient, diffuse, specular with shininess
uniform vec4 uSceneAmbient;
uniform vec4 uLightAmbient[LIGHT_SLOTS];
uniform vec4 uLightDiffuse[LIGHT_SLOTS];
uniform vec4 uLightSpecular[LIGHT_SLOTS];
uniform vec4 uLightPosition[LIGHT_SLOTS];
#ifdef ATTENUATION
uniform vec4 uLightAttenuation[LIGHT_SLOTS];  // constant, linear, quadratic, spot exponent
uniform vec4 uLightSpot[LIGHT_SLOTS];         // direction, cosine of the cutoff (-2: none)
#endif
#endif
void main() {
    vec4 eye = uModelView * aPosition;
    gl_Position = uProjection * eye;
#ifdef INHERIT_MIXED
    vec4 color = mix(aColor, uCurrent[0], aInherit.x);
    vec3 given_normal = mix(aNormal, uCurrent[1].xyz, aInherit.y);
    vec4 texcoord = mix(aTexCoord, uCurrent[2], aInherit.z);
#else
    vec4 color = aColor;
    vec3 given_normal = aNormal;
    vec4 texcoord = aTexCoord;
#endif
#ifdef LIGHTING
    vec3 n = uNormalMatrix * given_normal;
#ifdef NORMALIZE
    n = normalize(n);
#endif
#ifdef MATERIAL_TABLE
    int m = 4 * int(aSegment + 0.5);
#else
    const int m = 0;
#endif
    vec4 emission = uMaterial[m];
#ifdef COLOR_MATERIAL
    vec4 ambient = color;
    vec4 diffuse = color;
#else
    vec4 ambient = uMaterial[m + 1];
    vec4 diffuse = uMaterial[m + 2];
#endif
    vec4 specular = uMaterial[m + 3];
    float shininess = specular.a;
    vec3 lit = emission.rgb + ambient.rgb * uSceneAmbient.rgb;
    for (int i = 0; i < LIGHTS; i++) {
        vec4 p = uLightPosition[i];
        vec3 toLight = p.xyz - eye.xyz * p.w;
        float distance = length(toLight);
        vec3 l = toLight / distance;
        float attenuation = 1.0;
#ifdef ATTENUATION
        if (p.w != 0.0) {
            vec4 k = uLightAttenuation[i];
            attenuation = 1.0 / (k.x + k.y * distance + k.z * distance * distance);
        }
        vec4 spot = uLightSpot[i];
        if (spot.w > -1.5) {
            float along = dot(-l, spot.xyz);
            attenuation *= along >= spot.w ? pow(max(along, 0.0), uLightAttenuation[i].w) : 0.0;
        }
#endif
        float nl = dot(n, l);
#ifdef LOCAL_VIEWER
        vec3 h = normalize(l - normalize(eye.xyz));
#else
        vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));
#endif
        float nh = max(dot(n, h), 0.0);
        float specularFactor = 0.0;
        if (nl > 0.0) specularFactor = shininess == 0.0 ? 1.0 : pow(nh, shininess);
        lit += attenuation * (uLightAmbient[i].rgb * ambient.rgb +
#ifndef NO_DIFFUSE
                              max(nl, 0.0) * uLightDiffuse[i].rgb * diffuse.rgb +
#endif
                              specularFactor * uLightSpecular[i].rgb * specular.rgb);
    }
    vColor = clamp(vec4(lit, diffuse.a), 0.0, 1.0);
#else
    vColor = clamp(color, 0.0, 1.0);
#endif
#ifdef TEXTURE_AFFINE
    vTexCoord = (uTextureMatrix * texcoord).xy;
#elif defined(TEXTURE)
    vTexCoord = uTextureMatrix * texcoord;
#endif
#if FOG != 0 && !defined(FOG_CONSTANT)
    vFog = abs(eye.z);
#endif
}
)";

const char* kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
varying vec4 vColor;
#ifdef TEXTURE_AFFINE
varying vec2 vTexCoord;
#elif defined(TEXTURE)
varying vec4 vTexCoord;
#endif
#ifdef TEXTURE
uniform sampler2D uTexture;
#endif
#if FOG != 0 && !defined(FOG_CONSTANT)
varying float vFog;
#endif
uniform vec4 uFogColor;
uniform vec4 uFogParams;  // linear: scale, offset; exp: density / ln 2; exp2: density / sqrt(ln 2); or the factor
void main() {
    vec4 color = vColor;
#ifdef TEXTURE
#ifdef TEXTURE_AFFINE
    vec4 texel = texture2D(uTexture, vTexCoord);
#else
    vec4 texel = texture2DProj(uTexture, vTexCoord.xyw);
#endif
#ifdef TEXTURE_ALPHA
    color.a *= texel.a;
#else
    color *= texel;
#endif
#endif
#ifdef FOG_CONSTANT
    float f = uFogParams.x;
#elif FOG == 1
    float f = vFog * uFogParams.x + uFogParams.y;
#elif FOG == 2
    float f = exp2(-vFog * uFogParams.z);
#elif FOG == 3
    float e = vFog * uFogParams.w;
    float f = exp2(-e * e);
#endif
#if FOG != 0
    color.rgb = mix(uFogColor.rgb, color.rgb, clamp(f, 0.0, 1.0));
#endif
    gl_FragColor = color;
}
)";

std::string defines(uint32_t variant) {
    std::string d;
    int lights = (int)((variant & kVariantLightMask) >> kVariantLightShift);
    if (variant & kVariantLighting) d += "#define LIGHTING\n";
    if (variant & kVariantColorMaterial) d += "#define COLOR_MATERIAL\n";
    if (variant & kVariantNormalize) d += "#define NORMALIZE\n";
    if (variant & kVariantLocalViewer) d += "#define LOCAL_VIEWER\n";
    if (variant & kVariantAttenuation) d += "#define ATTENUATION\n";
    if (variant & kVariantTexture) d += "#define TEXTURE\n";
    if (variant & kVariantTextureAlpha) d += "#define TEXTURE_ALPHA\n";
    if (variant & kVariantTextureAffine) d += "#define TEXTURE_AFFINE\n";
    if (variant & kVariantFogConstant) d += "#define FOG_CONSTANT\n";
    if (variant & kVariantNoDiffuse) d += "#define NO_DIFFUSE\n";
    if (variant & kVariantInheritMixed) d += "#define INHERIT_MIXED\n";
    d += "#define FOG " + std::to_string((variant >> kVariantFogShift) & 3) + "\n";
    d += "#define LIGHTS " + std::to_string(lights) + "\n";
    d += "#define LIGHT_SLOTS " + std::to_string(lights > 0 ? lights : 1) + "\n";
    d += "#define MATERIALS " + std::to_string(variant & kVariantMaterialTable ? kMaterialTableSize : 1) + "\n";
    if (variant & kVariantMaterialTable) d += "#define MATERIAL_TABLE\n";
    return d;
}

GLuint compile(GLenum type, const std::string& text) {
    GLuint shader = es2.CreateShader(type);
    const GLchar* source = text.c_str();
    es2.ShaderSource(shader, 1, &source, nullptr);
    es2.CompileShader(shader);
    GLint ok = 0;
    es2.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = "";
        es2.GetShaderInfoLog(shader, sizeof log, nullptr, log);
        fprintf(stderr, "fixedgl: shader rejected: %s\n", log);
        es2.DeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(uint32_t variant) {
    std::string head = "#version 100\n" + defines(variant);
    GLuint vertex = compile(GL_VERTEX_SHADER, head + kVertexShader);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, head + kFragmentShader);
    GLuint program = vertex && fragment ? es2.CreateProgram() : 0;
    if (program) {
        es2.AttachShader(program, vertex);
        es2.AttachShader(program, fragment);
        static const char* const names[kAttribCount] = {"aPosition", "aNormal",  "aColor",
                                                        "aTexCoord", "aSegment", "aInherit"};
        for (int a = 0; a < kAttribCount; a++) es2.BindAttribLocation(program, (GLuint)a, names[a]);
        es2.LinkProgram(program);
        GLint ok = 0;
        es2.GetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            char log[2048] = "";
            es2.GetProgramInfoLog(program, sizeof log, nullptr, log);
            fprintf(stderr, "fixedgl: program rejected: %s\n", log);
            es2.DeleteProgram(program);
            program = 0;
        }
    }
    if (vertex) es2.DeleteShader(vertex);  // they go with the program
    if (fragment) es2.DeleteShader(fragment);
    return program;
}

}  // namespace

Program* program_for(FixedglContext& c, uint32_t variant) {
    for (Program& p : c.programs)
        if (p.variant == variant) return p.es_program ? &p : nullptr;
    Program p;
    p.variant = variant;
    p.es_program = link(variant);
    GLuint e = p.es_program;
    auto at = [&](const char* name) { return e ? es2.GetUniformLocation(e, name) : -1; };
    p.projection = at("uProjection");
    p.modelview = at("uModelView");
    p.normal_matrix = at("uNormalMatrix");
    p.texture_matrix = at("uTextureMatrix");
    p.current = at("uCurrent");
    p.material = at("uMaterial");
    p.scene_ambient = at("uSceneAmbient");
    p.light_ambient = at("uLightAmbient");
    p.light_diffuse = at("uLightDiffuse");
    p.light_specular = at("uLightSpecular");
    p.light_position = at("uLightPosition");
    p.light_attenuation = at("uLightAttenuation");
    p.light_spot = at("uLightSpot");
    p.fog_color = at("uFogColor");
    p.fog_params = at("uFogParams");
    p.sampler = at("uTexture");
    c.programs.push_back(p);  // a rejected variant is remembered too, and not tried again
    return e ? &c.programs.back() : nullptr;
}
