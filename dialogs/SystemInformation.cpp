// The system information dialog: four rows, read again at every opening.
#include "dialogs/SystemInformation.h"

#include "platform/system/MediaPlatform.h"
#include "platform/system/SystemReaders.h"
#include "platform/system/WindowPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <utility>

platform::DeferredWindow<TForm11> Form11;

namespace {

QLabel* Row(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);  // owned by the dialog
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    return label;
}

}  // namespace

TForm11::TForm11()
{
    setObjectName(QStringLiteral("Form11"));
    platform::DesignWindow(*this, QStringLiteral("Informations sur votre système"), platform::BorderStyle::Dialog,
                           {252, 107});
    QLabel* processor = Row(this, "Label3", QStringLiteral("Processeur :"), {8, 8});
    Label4 = Row(this, "Label4", {}, {80, 8});
    QLabel* vendor = Row(this, "Label5", QStringLiteral("Vendeur :"), {8, 24});
    Label6 = Row(this, "Label6", {}, {80, 24});
    QLabel* system = Row(this, "Label7", QStringLiteral("Version du système :"), {8, 40});
    Label8 = Row(this, "Label8", {}, {120, 40});
    QLabel* mediaPlatform = Row(this, "Label1", QStringLiteral("Plate-forme multimédia :"), {8, 56});
    Label2 = Row(this, "Label2", {}, {130, 56});
    // The screen's font may be wider than the design's: a value starts after its caption.
    for (auto [caption, value] : {std::pair{processor, Label4}, std::pair{vendor, Label6}, std::pair{system, Label8},
                                  std::pair{mediaPlatform, Label2}})
        value->move(std::max(value->x(), caption->x() + caption->sizeHint().width() + 4), value->y());
    BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(96, 80, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Annuler"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(176, 80, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm11::FormActivate()
{
    // The values may be longer than the design's labels: each label takes its text's width, starts
    // after its caption (the screen's font may be wider than the design's), and the dialog (of a
    // fixed size) widens to show the longest.
    Label2->setText(platform::MediaPlatformVersion());
    Label4->setText(platform::ProcessorName(Root));
    Label6->setText(platform::ProcessorVendor(Root));
    Label8->setText(platform::SystemVersion(Root));
    int right = 252;
    for (QLabel* label : {Label2, Label4, Label6, Label8}) {
        label->adjustSize();
        right = std::max(right, label->geometry().right() + 9);
    }
    setFixedSize(right, height());
}

void TForm11::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormActivate();
    QDialog::showEvent(event);
}
