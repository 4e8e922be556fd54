#include "platform/media/MidiSource.h"

#include "platform/media/FluidLibrary.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace media {

namespace {

constexpr int kBlock = 1024;                 // sample frames per pushed frame
constexpr double kLongest = 4 * 3600.0;      // a sequence that never ends is cut here

fluid_settings_t* newSettings(const FluidLibrary& f)
{
    fluid_settings_t* settings = f.new_fluid_settings();
    f.fluid_settings_setnum(settings, "synth.sample-rate", MidiSource::kSampleRate);
    f.fluid_settings_setint(settings, "synth.chorus.active", 0);
    f.fluid_settings_setint(settings, "synth.reverb.active", 0);
    f.fluid_settings_setstr(settings, "player.timing-source", "sample");
    return settings;
}

}  // namespace

// FluidSynth objects, freed in reverse order of creation.
struct MidiSource::Synth {
    explicit Synth(const FluidLibrary& library) : f(library) {}
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;
    const FluidLibrary& f;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    ~Synth()
    {
        if (player)
            f.delete_fluid_player(player);
        if (synth)
            f.delete_fluid_synth(synth);
        if (settings)
            f.delete_fluid_settings(settings);
    }
};

MidiSource::MidiSource(const FluidLibrary* library) : fluid_(library ? *library : FluidLibrary::shared()) {}

MidiSource::~MidiSource()
{
    stop();
}

bool MidiSource::isMidiFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == "MThd";
}

QString MidiSource::findSoundFont()
{
    if (qEnvironmentVariableIsSet("VISTREL_SOUNDFONT")) {
        const QString named = qEnvironmentVariable("VISTREL_SOUNDFONT");
        return QFileInfo(named).isFile() ? named : QString();
    }
    QString best;
    qint64 bestSize = 0;
    const QStringList folders = {QDir::homePath() + QStringLiteral("/.local/share/soundfonts"),
                                 QStringLiteral("/usr/local/share/soundfonts"), QStringLiteral("/usr/share/soundfonts"),
                                 QStringLiteral("/usr/share/sounds/sf2")};
    for (const QString& folder : folders) {
        for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.sf2"), QStringLiteral("*.SF2")},
                                                                 QDir::Files | QDir::Readable)) {
            const QFileInfo target(info.canonicalFilePath());
            if (target.size() > bestSize) {
                bestSize = target.size();
                best = target.filePath();
            }
        }
    }
    return best;
}

HRESULT MidiSource::open(const QString& path)
{
    path_ = path;
    if (!fluid_.usable()) {
        error_ = fluid_.error();
        qWarning("%s", qPrintable(error_));
        return VFW_E_CANNOT_RENDER;
    }
    if (!QFileInfo(path).isReadable())
        return E_ACCESSDENIED;
    const QByteArray local = QFile::encodeName(path);

    // Timing pass: the sequencer drives a synthesiser with no instruments, which costs little.
    {
        Synth timing(fluid_);
        timing.settings = newSettings(fluid_);
        timing.synth = fluid_.new_fluid_synth(timing.settings);
        timing.player = timing.synth ? fluid_.new_fluid_player(timing.synth) : nullptr;
        if (!timing.player || fluid_.fluid_player_add(timing.player, local.constData()) != FLUID_OK ||
            fluid_.fluid_player_play(timing.player) != FLUID_OK)
            return VFW_E_INVALID_FILE_FORMAT;
        std::vector<int16_t> scratch(kBlock * 2);
        double seconds = 0;
        ticks_.clear();
        // The piece ends at its last tick; the sequencer itself lingers a little after that.
        while (fluid_.fluid_player_get_status(timing.player) == FLUID_PLAYER_PLAYING && seconds < kLongest) {
            const int tick = fluid_.fluid_player_get_current_tick(timing.player);
            const int lastTick = fluid_.fluid_player_get_total_ticks(timing.player);  // known once it plays
            ticks_.emplace_back(seconds, tick);
            if (lastTick > 0 && tick >= lastTick)
                break;
            fluid_.fluid_synth_write_s16(timing.synth, kBlock, scratch.data(), 0, 2, scratch.data(), 1, 2);
            seconds += double(kBlock) / kSampleRate;
        }
        duration_ = seconds;
        if (duration_ <= 0)
            return VFW_E_INVALID_FILE_FORMAT;
    }

    soundFont_ = findSoundFont();
    if (soundFont_.isEmpty())
        return VFW_E_CANNOT_RENDER;
    synth_ = std::make_unique<Synth>(fluid_);
    synth_->settings = newSettings(fluid_);
    synth_->synth = fluid_.new_fluid_synth(synth_->settings);
    if (!synth_->synth || fluid_.fluid_synth_sfload(synth_->synth, QFile::encodeName(soundFont_).constData(), 1) == FLUID_FAILED)
        return VFW_E_CANNOT_RENDER;
    return restartAt(0) ? S_OK : VFW_E_INVALID_FILE_FORMAT;
}

int MidiSource::tickAt(double seconds) const
{
    auto it = std::upper_bound(ticks_.begin(), ticks_.end(), seconds,
                               [](double s, const std::pair<double, int>& e) { return s < e.first; });
    return it == ticks_.begin() ? 0 : std::prev(it)->second;
}

// A finished player cannot seek, so each jump starts a fresh one at the tick of the target.
bool MidiSource::restartAt(double target)
{
    if (synth_->player)
        fluid_.delete_fluid_player(synth_->player);
    fluid_.fluid_synth_all_sounds_off(synth_->synth, -1);
    synth_->player = fluid_.new_fluid_player(synth_->synth);
    if (!synth_->player || fluid_.fluid_player_add(synth_->player, QFile::encodeName(path_).constData()) != FLUID_OK)
        return false;
    if (target > 0)
        fluid_.fluid_player_seek(synth_->player, tickAt(target));
    return fluid_.fluid_player_play(synth_->player) == FLUID_OK;
}

void MidiSource::start(FrameQueue* out)
{
    out_ = out;
    if (!thread_.joinable() && out_ && synth_)
        thread_ = std::thread([this] { run(); });
}

void MidiSource::stop()
{
    stop_ = true;
    if (out_)
        out_->abort();
    if (thread_.joinable())
        thread_.join();
}

void MidiSource::seek(double target, int serial)
{
    seekRequest_.ask(target, serial);
}

void MidiSource::run()
{
    double position = 0;
    int serial = out_->serial();
    bool finished = false;
    while (!stop_) {
        double target = 0;
        if (seekRequest_.take(target, serial)) {
            position = std::clamp(target, 0.0, duration_);
            finished = !restartAt(position) || position >= duration_;
            if (finished)
                out_->markFinished(serial);
        }
        if (finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        DecodedFrame block;
        block.frame = allocFrame();
        AVFrame* f = block.frame.get();
        f->format = AV_SAMPLE_FMT_S16;
        f->sample_rate = kSampleRate;
        f->nb_samples = kBlock;
        av_channel_layout_default(&f->ch_layout, 2);
        if (av_frame_get_buffer(f, 0) < 0)
            break;
        auto* samples = reinterpret_cast<int16_t*>(f->data[0]);
        fluid_.fluid_synth_write_s16(synth_->synth, kBlock, samples, 0, 2, samples, 1, 2);
        block.serial = serial;
        block.pts = position;
        block.duration = double(kBlock) / kSampleRate;
        position += block.duration;
        if (!out_->push(std::move(block)))
            break;
        if (fluid_.fluid_player_get_status(synth_->player) != FLUID_PLAYER_PLAYING || position >= duration_) {
            finished = true;
            out_->markFinished(serial);
        }
    }
}

}  // namespace media
