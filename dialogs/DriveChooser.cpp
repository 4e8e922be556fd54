// The default drive chooser: the optical drives, the question, and config.dat.
#include "dialogs/DriveChooser.h"

#include "platform/system/AtomicFile.h"
#include "platform/system/MessageBox.h"
#include "platform/system/OpticalDrives.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/WindowPlacement.h"
#include "platform/system/Windows1252.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>

TForm13* Form13 = nullptr;

bool WriteConfigFile(const QString& path, const QString& drive, QString& error)
{
    const std::optional<QByteArray> ansi = platform::ToWindows1252(drive);
    const QByteArray line = (ansi ? *ansi : drive.toUtf8()) + "\r\n";
    QString reason;
    if (!platform::WriteFileAtomically(path, line, &reason)) {
        error = QStringLiteral("Impossible d'écrire le fichier « %1 » : %2.").arg(path, reason);
        return false;
    }
    return true;
}

QString ConfigText(const QByteArray& bytes)
{
    // The first line, the drive, tells how the file was written; the lines after it were not.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const qsizetype end = bytes.indexOf('\n');
    const QString drive = utf8(end < 0 ? bytes : bytes.left(end));
    if (!utf8.hasError() && !platform::ToWindows1252(drive))
        return QString::fromUtf8(bytes);
    return platform::FromWindows1252(bytes);
}

QString ConfigDrive(const QString& text)
{
    QString drive = text.left(text.indexOf(QLatin1Char('\n')));
    if (drive.endsWith(QLatin1Char('\r')))
        drive.chop(1);
    return drive;
}

TForm13::TForm13()
{
    setObjectName(QStringLiteral("Form13"));
    platform::DesignWindow(*this, QStringLiteral("Sélection du lecteur DVD par défaut"), platform::BorderStyle::Dialog,
                           {345, 133});
    Label1 = new QLabel(QStringLiteral("Vous exécutez Vistrel pour la première fois sur cet ordinateur. Or, celui ci "
                                       "dispose de plusieurs lecteurs de CD-ROM ou de DVD-ROM. Veuillez selectionner "
                                       "parmis la liste ci dessous votre lecteur de DVD par défaut :"),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 8, 329, 57);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Wider than a drive letter: a device, a folder or an image path is typed here.
    ComboBox1->setGeometry(72, 72, 201, ComboBox1->sizeHint().height());
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(240, 80, 49, 41);
    Memo1->hide();
    BitBtn1 = new QPushButton(QStringLiteral("&Ok"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(136, 104, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm13::BitBtn1Click);
    FitQuestion();
    FormCreate();
}

// The question was laid out for a smaller system font: where the desktop's font needs more lines,
// the label grows to show all of it and what lies under it moves down with the dialog's bottom.
void TForm13::FitQuestion()
{
    const int extra = Label1->heightForWidth(Label1->width()) - Label1->height();
    if (extra <= 0)
        return;
    Label1->resize(Label1->width(), Label1->height() + extra);
    for (QWidget* below : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(Memo1),
                           static_cast<QWidget*>(BitBtn1)})
        below->move(below->x(), below->y() + extra);
    setFixedSize(width(), height() + extra);
}

void TForm13::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Asked at the first start, while the video window is already up: the question comes first.
    raise();
    activateWindow();
}

QString TForm13::ConfigFile()
{
    return platform::SettingsFolder() + QStringLiteral("config.dat");
}

void TForm13::FormCreate()
{
    ComboBox1->addItems(platform::OpticalDrives());
    if (ComboBox1->count() == 1) {
        // One drive: it is the default, written at every start without a question.
        ComboBox1->setCurrentIndex(0);
        BitBtn1Click();
        return;
    }
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText({});
}

void TForm13::BitBtn1Click()
{
    const QString text = ComboBox1->currentText();
    if (text.trimmed().isEmpty()) {
        platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"),
                                  QStringLiteral("Vous devez sélectionner un lecteur dans la liste."),
                                  platform::MessageIcon::Warning});
        return;
    }
    Memo1->setPlainText(text);
    QString error;
    if (!WriteConfigFile(ConfigFile(), text, error)) {
        platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"), error, platform::MessageIcon::Error});
        return;
    }
    accept();
}
