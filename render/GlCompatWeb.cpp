// The browser's side of GlCompat: the immediate-mode shapes are turned into triangles (and 1-pixel lines) and
// collected in one vertex array, in the order they are drawn, each vertex with its colour; the array is drawn by one
// shader program when the texture changes and before the frame is shown. The desktop's side is GlCompat.cpp.
#ifdef __EMSCRIPTEN__

#define GL_GLEXT_PROTOTYPES  // the shader and buffer calls, which WebGL has
#include "render/GlCompat.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <emscripten.h>

#include "render/PixelScale.h"

// Gives the browser its turn and goes on in a task of its own right after (a message to itself: unlike a timer's,
// its wait is not stretched to 4 ms when one follows another). The program's stack is unwound meanwhile (Asyncify);
// resumed as the runtime's own callbacks are, it may also end there.
EM_JS(void, YieldToBrowser, (), {
    Asyncify.handleSleep(function(wakeUp) {
        var channel = new MessageChannel();
        channel.port1.onmessage = function() { callUserCallback(wakeUp); };
        channel.port2.postMessage(0);
    });
});

// The page keeps the canvas hidden until the first frame is drawn into it: until then the browser would only show
// an empty buffer, and compositing it costs a long task where WebGL is emulated in software. The canvas takes the
// keyboard focus as it appears, unless the user has put it elsewhere meanwhile.
EM_JS(void, RevealCanvas, (), {
    var canvas = Module.canvas;
    canvas.classList.remove('starting');
    if (document.activeElement === document.body) canvas.focus({preventScroll: true});
});

// Known to the browser without asking the GPU process; read directly, since glGetIntegerv would bring in a script
// that reads any parameter.
EM_JS(int, MaxTextureSize, (), { return GLctx.getParameter(GLctx.MAX_TEXTURE_SIZE); });

namespace {
// A task of the start-up runs about this long before the browser gets a turn. The step that passes it overruns it
// (a text takes 2 to 8 ms here): with 10 ms, tasks of 11 to 16 ms came out, long on a phone four times slower.
constexpr double kStartupTaskMs = 5.0;

struct Vertex {
    float x, y;
    float r, g, b, a;
    float s, t;
    float textured;  // 1: the texture's colour replaces the vertex's
};

// The attributes, in the order of Vertex, at these locations.
constexpr GLuint kPosition = 0;
constexpr GLuint kColor = 1;
constexpr GLuint kTexCoord = 2;
constexpr GLuint kTextured = 3;

constexpr char kVertexShader[] = R"(
attribute vec2 position;
attribute vec4 color;
attribute vec2 texCoord;
attribute float textured;
uniform vec4 projection;
varying vec4 vColor;
varying vec2 vTexCoord;
varying float vTextured;
void main() {
  gl_Position = vec4(position * projection.xy + projection.zw, 0.0, 1.0);
  vColor = color;
  vTexCoord = texCoord;
  vTextured = textured;
})";

// Texture coordinates need more than half floats' 11 bits: a text image can be thousands of pixels wide.
constexpr char kFragmentShader[] = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D image;
varying vec4 vColor;
varying vec2 vTexCoord;
varying float vTextured;
void main() {
  gl_FragColor = vTextured > 0.5 ? texture2D(image, vTexCoord) : vColor;
})";

// What OpenGL keeps per context on the desktop, kept here for the one WebGL context the program draws with: the
// current colour and texture coordinate, the shape being specified and the shapes not yet drawn.
struct WebGlState {
    GLuint program = 0;
    GLuint vertexShader = 0;  // until the program is linked
    GLuint fragmentShader = 0;
    GLuint buffer = 0;
    GLuint white = 0;  // bound while no shape of the batch is textured: the program always samples a texture
    GLint projection = -1;
    bool linked = false;  // the program is in use, its projection set
    GLint maxTextureSize = 0;
    GLenum error = GL_NO_ERROR;  // for TakeGlError
    float projectionValues[4] = {1.0f, 1.0f, 0.0f, 0.0f};
    bool lost = false;
    unsigned generation = 0;

    Vertex current{0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    GLuint texturing = 0;  // between BeginTexturing and EndTexturing
    float linePixels = 1.0f;  // WebGL rasterises every line 1 pixel wide: wider ones are drawn here as quads

    bool pausesAllowed = false;
    double taskStartMs = 0.0;
    bool revealed = false;  // the page shows the canvas from the first frame on

    GLenum shapeMode = GL_TRIANGLES;
    std::vector<Vertex> shape;

    GLenum batchMode = GL_TRIANGLES;  // GL_TRIANGLES or GL_LINES
    GLuint batchTexture = 0;          // 0 while no shape of the batch is textured
    std::vector<Vertex> batch;
};

WebGlState gl;

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

void Flush() {
    if (!gl.batch.empty() && !gl.lost) {
        glBindTexture(GL_TEXTURE_2D, gl.batchTexture != 0 ? gl.batchTexture : gl.white);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(gl.batch.size() * sizeof(Vertex)), gl.batch.data(),
                     GL_STREAM_DRAW);
        glDrawArrays(gl.batchMode, 0, static_cast<GLsizei>(gl.batch.size()));
    }
    gl.batch.clear();
    gl.batchTexture = 0;
}

// Makes room in the batch for primitives of this kind, drawn with `texture` (0: untextured).
void PrepareBatch(GLenum mode, GLuint texture) {
    if (mode != gl.batchMode || (texture != 0 && gl.batchTexture != 0 && texture != gl.batchTexture)) Flush();
    gl.batchMode = mode;
    if (texture != 0) gl.batchTexture = texture;
}

void AddTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    gl.batch.push_back(a);
    gl.batch.push_back(b);
    gl.batch.push_back(c);
}

// The shape just ended, as the primitives WebGL has: a convex polygon as a fan from its first corner (the same
// pixels), each quad as two triangles.
void AddShape(GLenum mode, const std::vector<Vertex>& v) {
    const size_t n = v.size();
    PrepareBatch(mode == GL_LINES ? GL_LINES : GL_TRIANGLES, gl.texturing);
    switch (mode) {
        case GL_LINES:
            gl.batch.insert(gl.batch.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n / 2 * 2));
            break;
        case GL_TRIANGLES:
            gl.batch.insert(gl.batch.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n / 3 * 3));
            break;
        case GL_QUADS:
            for (size_t i = 0; i + 3 < n; i += 4) {
                AddTriangle(v[i], v[i + 1], v[i + 2]);
                AddTriangle(v[i], v[i + 2], v[i + 3]);
            }
            break;
        default:  // GL_POLYGON, GL_TRIANGLE_FAN
            for (size_t i = 1; i + 1 < n; ++i) AddTriangle(v[0], v[i], v[i + 1]);
            break;
    }
}

GLuint CompileShader(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// Asks for the program without waiting for it: the browser compiles and links it meanwhile, and only a question
// about its state would wait. The shaders stay until it is linked, for their logs.
void StartLinking() {
    gl.vertexShader = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    gl.fragmentShader = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    gl.program = glCreateProgram();
    glAttachShader(gl.program, gl.vertexShader);
    glAttachShader(gl.program, gl.fragmentShader);
    glBindAttribLocation(gl.program, kPosition, "position");
    glBindAttribLocation(gl.program, kColor, "color");
    glBindAttribLocation(gl.program, kTexCoord, "texCoord");
    glBindAttribLocation(gl.program, kTextured, "textured");
    glLinkProgram(gl.program);
    glFlush();  // sent now, not with the first drawing
}

// Waits for the link; on a failure the log of the stage that failed goes to SDL_GetError.
bool FinishLinking() {
    GLint linked = GL_FALSE;
    glGetProgramiv(gl.program, GL_LINK_STATUS, &linked);
    char log[512] = "";
    if (linked != GL_TRUE) {
        for (const GLuint shader : {gl.vertexShader, gl.fragmentShader}) {
            GLint compiled = GL_FALSE;
            glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
            if (compiled != GL_TRUE && log[0] == '\0') glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        }
        if (log[0] == '\0') glGetProgramInfoLog(gl.program, sizeof log, nullptr, log);
        SDL_SetError("%s", log);
    }
    glDeleteShader(gl.vertexShader);  // the program keeps them while it exists
    glDeleteShader(gl.fragmentShader);
    gl.vertexShader = 0;
    gl.fragmentShader = 0;
    return linked == GL_TRUE;
}

void AttributePointer(GLuint location, GLint size, size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offset));
}

void MakeWhiteTexture() {
    constexpr unsigned char kWhite[4] = {255, 255, 255, 255};
    glGenTextures(1, &gl.white);
    glBindTexture(GL_TEXTURE_2D, gl.white);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, kWhite);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}
}  // namespace

void MakeGlObjects() {
    StartLinking();
    glGenBuffers(1, &gl.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
    AttributePointer(kPosition, 2, offsetof(Vertex, x));
    AttributePointer(kColor, 4, offsetof(Vertex, r));
    AttributePointer(kTexCoord, 2, offsetof(Vertex, s));
    AttributePointer(kTextured, 1, offsetof(Vertex, textured));
    MakeWhiteTexture();
    gl.maxTextureSize = MaxTextureSize();
    if (gl.lost) ++gl.generation;  // the textures of the context before are gone
    gl.lost = false;
}

// A browser without a GPU compiles its software pipeline for each kind of drawing the first time it is drawn, and
// the canvas's first composite waits for it (35 to 55 ms here). A triangle and a line of no size, drawn
// with the program, the buffer and the blending the frames use, and sent at once, have it compiled while the texts
// render. They leave no pixel: the first frame clears the canvas.
void WarmUpDrawing() {
    glUseProgram(gl.program);  // not yet known to be linked: GlObjectsMade tells before the first frame
    const Vertex v = gl.current;
    PrepareBatch(GL_TRIANGLES, 0);
    AddTriangle(v, v, v);
    PrepareBatch(GL_LINES, 0);  // draws the triangle
    gl.batch.assign({v, v});
    Flush();
    glFlush();
}

bool GlObjectsMade() {
    if (gl.linked) return true;
    if (!FinishLinking()) return false;
    glUseProgram(gl.program);
    gl.projection = glGetUniformLocation(gl.program, "projection");
    glUniform4fv(gl.projection, 1, gl.projectionValues);
    gl.linked = true;
    return true;
}

void ForgetGlObjects() {
    gl.program = 0;
    gl.vertexShader = 0;
    gl.fragmentShader = 0;
    gl.buffer = 0;
    gl.white = 0;
    gl.projection = -1;
    gl.linked = false;
    gl.lost = true;
    gl.batch.clear();
    gl.batchTexture = 0;
}

GLenum TakeGlError() {
    const GLenum error = gl.error;
    gl.error = GL_NO_ERROR;
    return error;
}

unsigned ContextGeneration() { return gl.generation; }

bool ContextAvailable() { return !gl.lost; }

// SDL looks functions up through EGL only for optional extensions, and the renderer calls WebGL directly. Emscripten's
// own lookup would link a table of every WebGL function, with their script: 5 kB of the page's download.
extern "C" void* eglGetProcAddress(const char* /*name*/) { return nullptr; }

// The page's font, written into the program by the build (PageFont.cpp), as the program names it.
extern const unsigned char kPageFont[];
extern const std::size_t kPageFontSize;
constexpr char kPageFontPath[] = "Resources/Baloo.ttf";

TTF_Font* OpenFont(const char* path, int pointSize) {
    if (std::strcmp(path, kPageFontPath) != 0) {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    return TTF_OpenFontRW(SDL_RWFromConstMem(kPageFont, static_cast<int>(kPageFontSize)), 1, pointSize);
}

// The task that starts the program has already compiled and started it: the first pause comes at once.
void AllowStartupPauses(bool allowed) {
    gl.pausesAllowed = allowed;
    gl.taskStartMs = -kStartupTaskMs;
}

void PauseIfLong() {
    if (!gl.pausesAllowed || emscripten_get_now() - gl.taskStartMs < kStartupTaskMs) return;
    YieldToBrowser();
    gl.taskStartMs = emscripten_get_now();
}

void SetDrawColor(float r, float g, float b, float a) {
    gl.current.r = r;
    gl.current.g = g;
    gl.current.b = b;
    gl.current.a = a;
}

void BeginShape(GLenum mode) {
    gl.shapeMode = mode;
    gl.shape.clear();
}

void ShapeTexCoord(float s, float t) {
    gl.current.s = s;
    gl.current.t = t;
}

void ShapeVertex(float x, float y) {
    Vertex v = gl.current;
    v.x = x;
    v.y = y;
    v.textured = gl.texturing != 0 ? 1.0f : 0.0f;
    gl.shape.push_back(v);
}

void EndShape() { AddShape(gl.shapeMode, gl.shape); }

void BeginTexturing(GLuint id) { gl.texturing = id; }

void EndTexturing() { gl.texturing = 0; }

void DeleteTexture(GLuint id) {
    if (id != 0 && id == gl.batchTexture) Flush();
    glDeleteTextures(1, &id);
}

void SetDrawingProjection(float width, float height) {
    gl.projectionValues[0] = 2.0f / width;
    gl.projectionValues[1] = 2.0f / height;
    gl.projectionValues[2] = -1.0f;
    gl.projectionValues[3] = -1.0f;
    if (gl.linked) glUniform4fv(gl.projection, 1, gl.projectionValues);
}

void SetLinePixels(float width) { gl.linePixels = width; }

// A wide line as desktop OpenGL rasterises it: the segment moved half the width to each side along its minor axis,
// a parallelogram whose short edges pass through the end points.
void DrawLineSegment(Vec2 from, Vec2 to) {
    const float width = std::round(gl.linePixels);  // aliased lines take whole pixel widths
    if (width <= 1.0f) {
        BeginShape(GL_LINES);
        ShapeVertex(from.x, from.y);
        ShapeVertex(to.x, to.y);
        return EndShape();
    }
    const float half = width * 0.5f / PixelScale();  // in drawing units
    const bool xMajor = std::fabs(to.x - from.x) >= std::fabs(to.y - from.y);
    const float dx = xMajor ? 0.0f : half;
    const float dy = xMajor ? half : 0.0f;
    BeginShape(GL_POLYGON);
    ShapeVertex(from.x - dx, from.y - dy);
    ShapeVertex(to.x - dx, to.y - dy);
    ShapeVertex(to.x + dx, to.y + dy);
    ShapeVertex(from.x + dx, from.y + dy);
    EndShape();
}

void FinishDrawing() {
    Flush();
    if (!gl.revealed) {
        RevealCanvas();
        gl.revealed = true;
    }
}

namespace {
// WebGL takes RGBA bytes only, and WebGL 1 cannot skip row padding: the pixels go up as tightly packed rows of
// RGBA. It also samples a texture whose sides are not powers of two as black unless it is clamped to its edges.
void UploadRgba(int width, int height, const void* pixels) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}
}  // namespace

// A text comes as ARGB8888, whose red and blue swap places here. Any other layout is converted by SDL, whose general
// converter (the page's SDL has no specialised ones) took about a tenth of the start's rendering of the texts.
bool UploadSurfacePixels(const SDL_Surface& surface, GLenum /*layoutOnDesktop*/) {
    if (surface.w > gl.maxTextureSize || surface.h > gl.maxTextureSize) {
        gl.error = GL_INVALID_VALUE;  // what glTexImage2D would give, found without waiting for it
        return true;
    }
    if (surface.format->format == SDL_PIXELFORMAT_ARGB8888) {
        const auto width = static_cast<std::size_t>(surface.w);
        std::vector<Uint32> rgba(width * static_cast<std::size_t>(surface.h));
        for (int y = 0; y < surface.h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                                              static_cast<std::ptrdiff_t>(y) * surface.pitch);
            Uint32* out = rgba.data() + static_cast<std::size_t>(y) * width;
            for (std::size_t x = 0; x < width; ++x) {
                const Uint32 argb = row[x];
                out[x] = (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16);
            }
        }
        UploadRgba(surface.w, surface.h, rgba.data());
        return true;
    }
    const std::unique_ptr<SDL_Surface, SurfaceFree> rgba(
        SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(&surface), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) {
        std::fprintf(stderr, "Texture::CreateFromSurface, error when calling SDL_ConvertSurfaceFormat: %s\n",
                     SDL_GetError());
        return false;
    }
    UploadRgba(rgba->w, rgba->h, rgba->pixels);
    return true;
}

#endif
