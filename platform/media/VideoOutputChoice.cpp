// The choice between the OpenGL and the CPU video output.
#include "platform/media/VideoOutputChoice.h"

#include <QDir>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <cstdio>

namespace media {

OutputRequest parseOutputRequest(const QString& setting)
{
    const QString s = setting.trimmed().toLower();
    if (s == QLatin1String("opengl") || s == QLatin1String("gl"))
        return OutputRequest::OpenGl;
    if (s == QLatin1String("cpu"))
        return OutputRequest::Cpu;
    return OutputRequest::Automatic;
}

bool isSoftwareRenderer(const QString& renderer)
{
    const QString r = renderer.toLower();
    return r.isEmpty() || r.contains(QLatin1String("llvmpipe")) || r.contains(QLatin1String("softpipe"))
           || r.contains(QLatin1String("software rasterizer")) || r.contains(QLatin1String("swrast"))
           || r.contains(QLatin1String("lavapipe"));
}

namespace {

OpenGlProbe runProbe()
{
    OpenGlProbe probe;
    const QString platform = QGuiApplication::platformName();
    if (!qGuiApp || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return probe;
    QOpenGLContext context;
    if (!context.create())
        return probe;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return probe;
    const QSurfaceFormat format = context.format();
    const bool es = context.isOpenGLES();
    probe.usable = format.majorVersion() >= 3;
    // Desktop OpenGL 3.0 has R16 textures; ES needs an extension for them.
    probe.sixteenBit = !es || context.hasExtension(QByteArrayLiteral("GL_EXT_texture_norm16"));
    const auto* name = context.functions()->glGetString(GL_RENDERER);
    probe.renderer = name ? QString::fromLatin1(reinterpret_cast<const char*>(name)) : QString();
    probe.software = isSoftwareRenderer(probe.renderer);
    context.doneCurrent();
    return probe;
}

const OpenGlProbe* cachedProbe()
{
    static const OpenGlProbe probe = runProbe();
    return &probe;
}

// Hardware drawing on Linux goes through a DRM render node or the NVIDIA driver's device.
bool haveGraphicsDevice()
{
    if (!QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty())
        return true;
    return QFile::exists(QStringLiteral("/dev/nvidia0"));
}

}  // namespace

const OpenGlProbe& probeOpenGl()
{
    return *cachedProbe();
}

VideoOutput chooseVideoOutput(OutputRequest request, bool graphicsDevice, const OpenGlProbe* (*probe)())
{
    switch (request) {
    case OutputRequest::Cpu:
        return VideoOutput::Cpu;
    case OutputRequest::OpenGl:
        return probe()->usable ? VideoOutput::OpenGl : VideoOutput::Cpu;
    case OutputRequest::Automatic:
        break;
    }
    if (!graphicsDevice)
        return VideoOutput::Cpu;  // no probe: loading a software renderer costs memory and time
    const OpenGlProbe* p = probe();
    return p->usable && !p->software ? VideoOutput::OpenGl : VideoOutput::Cpu;
}

VideoOutput chooseVideoOutput()
{
    const OutputRequest request = parseOutputRequest(qEnvironmentVariable("VISTREL_VIDEO_OUTPUT"));
    const VideoOutput output = chooseVideoOutput(request, request == OutputRequest::Automatic && haveGraphicsDevice(),
                                                 cachedProbe);
    if (request == OutputRequest::OpenGl && output != VideoOutput::OpenGl) {
        static bool told = false;
        if (!told)
            std::fprintf(stderr, "vistrel: no usable OpenGL context, pictures are drawn by the CPU\n");
        told = true;
    }
    return output;
}

QString outputName(VideoOutput output)
{
    if (output == VideoOutput::Cpu)
        return QStringLiteral("CPU");
    return QStringLiteral("OpenGL (%1)").arg(probeOpenGl().renderer);
}

}  // namespace media
