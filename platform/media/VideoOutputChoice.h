#pragma once
// Which output draws a renderer window's pictures: the OpenGL one (the decoder's planes uploaded
// as textures, converted and scaled by the graphics card) where a hardware-accelerated context
// exists, the CPU one otherwise (software renderers such as Mesa's llvmpipe are slower than our
// own conversion). VISTREL_VIDEO_OUTPUT=opengl or =cpu forces one (OpenGL still needs a context).
#include <QString>

namespace media {

enum class VideoOutput { Cpu, OpenGl };

// What a setting asks for: "opengl"/"gl" or "cpu" (any case); anything else (unset included) is
// left to the machine.
enum class OutputRequest { Automatic, Cpu, OpenGl };
OutputRequest parseOutputRequest(const QString& setting);

// Whether an OpenGL renderer string names a renderer that draws in software.
bool isSoftwareRenderer(const QString& renderer);

// What the probe of the machine's OpenGL found (the probe runs once, on the UI thread).
struct OpenGlProbe {
    bool usable = false;      // a context of version 3.0 (ES 3.0) or later could be made current
    bool software = false;
    bool sixteenBit = false;  // 16-bit sample textures (10-bit pictures drawn without conversion)
    QString renderer;
};
const OpenGlProbe& probeOpenGl();

// The choice for a new renderer window, reading VISTREL_VIDEO_OUTPUT each time. Probes OpenGL only
// when it could be chosen: forced, or automatic on a machine with a graphics device node.
VideoOutput chooseVideoOutput();
// Pure: the choice for a request given the machine (`probe` only read when needed).
VideoOutput chooseVideoOutput(OutputRequest request, bool graphicsDevice, const OpenGlProbe* (*probe)());

QString outputName(VideoOutput output);

}  // namespace media
