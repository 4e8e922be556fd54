#pragma once
// The skin record: the panel's pictures, the places of its twelve elements, its transparency colour
// and the status display's colours and font, as one 2424-byte record kept in interface.dat.
#include <QColor>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>

struct SkinRecord {
    static constexpr int kSize = 2424;
    static constexpr int kPathBytes = 255;  // a short string holds at most 255 characters
    static constexpr quint32 kSystemColour = 0x80000000u;
    static constexpr quint32 kWindowText = kSystemColour | 8u;

    // The seven picture buttons, in the record's order.
    enum Button { Previous, Rewind, Pause, Play, Stop, Forward, Next, ButtonCount };

    QString Background;                        // the face picture
    std::array<QString, ButtonCount> Buttons;  // the button pictures
    std::array<QPoint, ButtonCount> ButtonAt;  // where each button picture is drawn on the face
    QPoint HelpAt{259, 89};
    QPoint FullScreenFirstAt{18, 23};  // an older copy of the full-screen button's place
    QPoint QuitAt{280, 5};
    QPoint SkinEditorAt{211, 89};
    QPoint StatusAt{18, 23};
    int FontSize = 8;
    QPoint FullScreenAt{235, 89};
    quint32 TransparencyColour = 0x00FFFFFF;  // 0x00BBGGRR, or kSystemColour + index
    quint32 ScreenColour = 0x00FFFF00;
    quint32 FontColour = kWindowText;
    QString FontName = QStringLiteral("Times New Roman");

    SkinRecord();
    // The defaults: pictures beside the program, the font of the panel's window.
    static SkinRecord Defaults(const QString& programFolder);

    // The record's bytes. Paths longer than 255 characters are cut to their first 255. Empty when a
    // text has a character that the record's code page cannot hold (see `Unrepresentable`).
    std::optional<QByteArray> ToBytes() const;
    // The first text of the record that the code page cannot hold; empty when there is none.
    QString Unrepresentable() const;
    // The record at the start of `bytes` (what follows the first record is not read); nothing
    // when there are fewer than 2424 bytes.
    static std::optional<SkinRecord> FromBytes(const QByteArray& bytes);

    bool operator==(const SkinRecord&) const = default;
};

// The colour a record colour stands for: an RGB value, or one of the system's colours.
QColor ColourOf(quint32 value);
// A record colour for an RGB colour.
quint32 RecordColourOf(const QColor& colour);
