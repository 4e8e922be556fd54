#pragma once
// The media player component: an invisible player of the media control interface's kind, driving
// the platform's CD audio device. Its owner sets DeviceType, FileName (the element, e.g. the drive
// followed by "*.cda") and Shareable, calls Open, chooses a TimeFormat and plays; Position, Tracks,
// Length and Mode answer from the device.
//
// Commands given while no device is open raise EMCIDeviceError "Aucun périphérique MCI ouvert";
// an Open that fails raises EMCIDeviceError with the device's error text. Every other command
// leaves the device's result in Error and its text in ErrorMessage, without raising.
//
// With Notify set, a Play asks to be told when it ends: OnNotify then fires, on the UI thread,
// with NotifyValue saying how it ended (completed, superseded by another play, aborted by a
// command that interrupted it, or failed on a sector that could not be read).
//
// UI thread only.
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace cdaudio {
class CdAudioDevice;
}

enum TMPDeviceTypes {
    dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther, dtOverlay,
    dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio
};
enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
// The numbers match the device's time formats.
enum TMPTimeFormats {
    tfMilliseconds, tfHMS, tfMSF, tfFrames, tfSMPTE24, tfSMPTE25, tfSMPTE30, tfSMPTE30Drop, tfBytes,
    tfSamples, tfTMSF
};
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// A refusal of the media player, carrying its French text.
class EMCIDeviceError : public std::runtime_error {
public:
    explicit EMCIDeviceError(const std::string& message) : std::runtime_error(message) {}
};

class TMediaPlayer : public QObject {
    Q_OBJECT
public:
    explicit TMediaPlayer(QObject* owner = nullptr);
    ~TMediaPlayer() override;

    // Set before Open.
    TMPDeviceTypes DeviceType = dtAutoSelect;
    QString FileName;
    bool Shareable = false;
    bool AutoRewind = true;  // Play at the end of the disc starts again from its beginning
    bool Notify = false;     // the next command notifies when it ends
    bool Wait = false;       // accepted; commands never block here

    // Where the next Play starts and ends, in the time format; each applies to one Play only.
    void SetStartPos(uint32_t value);
    void SetEndPos(uint32_t value);

    void Open();
    void Close();
    void Play();
    // Pauses when playing, resumes when paused.
    void Pause();
    void PauseOnly();
    void Resume();
    void Stop();
    void Next();
    void Previous();
    void Rewind();  // to the start of the disc
    void Eject();   // opens the door
    void CloseDoor();

    TMPTimeFormats TimeFormat() const;
    void SetTimeFormat(TMPTimeFormats value);
    uint32_t Position() const;
    void SetPosition(uint32_t value);  // moves there (a playing device plays on from there)
    uint32_t Length() const;
    uint32_t Start() const;
    int Tracks() const;
    uint32_t TrackLength(int track) const;
    uint32_t TrackPosition(int track) const;
    TMPModes Mode() const;
    uint32_t DeviceID() const;
    // The result of the last command and its text.
    uint32_t Error() const { return error_; }
    QString ErrorMessage() const;
    TMPNotifyValues NotifyValue() const { return notifyValue_; }

    std::function<void(TMediaPlayer* sender)> OnNotify;

protected:
    bool event(QEvent* e) override;

private:
    cdaudio::CdAudioDevice& OpenDevice() const;  // raises when none is open
    void Result(uint32_t error);

    std::unique_ptr<cdaudio::CdAudioDevice> device_;
    uint32_t error_ = 0;
    TMPNotifyValues notifyValue_ = nvSuccessful;
    bool hasStart_ = false;
    bool hasEnd_ = false;
    uint32_t startPos_ = 0;
    uint32_t endPos_ = 0;
};

// Runs a command of the media player, handing what it raises to the application's error display;
// true when nothing was raised.
bool RunMediaCommand(const std::function<void()>& command);
