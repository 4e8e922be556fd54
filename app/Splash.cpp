// The splash window: picture, labels, rounded outline and progress bar.
#include "app/Splash.h"

#include "platform/system/JpegImage.h"
#include "platform/system/RegionShapes.h"
#include "platform/system/WindowPlacement.h"

#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

TForm9* Form9 = nullptr;

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, QPoint at, const QStringList& families,
                  int height, bool bold, const QColor& colour)
{
    auto* label = new QLabel(text, parent);  // owned by the splash
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(height);
    font.setBold(bold);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

TForm9::TForm9(const QString& picturePath)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Vistrel - Chargement"));
    platform::ApplyBorderStyle(*this, platform::BorderStyle::None);
    platform::SetClientSize(*this, 559, 192);
    setAutoFillBackground(true);
    // The program is starting: the pointer over the splash is the hourglass. (Loaded here, while
    // the display has little else to do, it is also ready for the first medium's loading.)
    setCursor(Qt::WaitCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 560, 194);
    QImage picture = platform::LoadJpegFile(picturePath);
    if (!picture.isNull()) {
        Image1->resize(picture.size());
        Image1->setPixmap(QPixmap::fromImage(std::move(picture)));
    }

    const QStringList serif{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                            QStringLiteral("DejaVu Serif"), QStringLiteral("serif")};
    const QStringList sans{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};
    const QStringList comic{QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                            QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};
    Label1 = MakeLabel(this, QStringLiteral("Vistrel"), {336, 8}, comic, 24, true, Qt::white);
    Label2 = MakeLabel(this, QStringLiteral("version 0.8a"), {384, 40}, serif, 11, false, Qt::red);
    Label3 = MakeLabel(this, QStringLiteral("© QUENTRAX"), {448, 168}, serif, 11, false, Qt::blue);
    Label4 = MakeLabel(this, QStringLiteral("contact@vistrel.example"), {24, 168}, sans, 11, true, Qt::white);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(159, 171, 241, 9);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    FormCreate();
}

void TForm9::FormCreate()
{
    // A rounded outline: 40 x 40 ellipses at the corners of the whole window.
    setMask(platform::CreateRoundRectRgn(0, 0, width(), height(), 40, 40));
}

void TForm9::Finish()
{
    hide();
    destroy();
}

void TForm9::SetProgress(int percent)
{
    if (percent == progress_)
        return;
    progress_ = percent;
    // The bar takes a new value (and draws it, sending it to the display at once) at most once a
    // screen refresh, and at its end: the panel's creation runs it through its hundred values in a
    // few milliseconds, and a hundred paints showed no more than two or three of them.
    constexpr qint64 kRefreshMs = 16;
    if (progressShown_.isValid() && !progressShown_.hasExpired(kRefreshMs) && percent < 100)
        return;
    ProgressBar1->setValue(percent);
    progressShown_.start();
}
