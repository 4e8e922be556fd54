// The status display's font chooser: a font dialog held to a few sizes, with a colour list.
#include "panel/ScreenFontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const struct {
    const char* name;
    QRgb rgb;
} kColours[] = {
    {"Noir", 0x000000},   {"Bordeaux", 0x800000}, {"Vert", 0x008000},        {"Olive", 0x808000},
    {"Marine", 0x000080}, {"Violet", 0x800080},   {"Sarcelle", 0x008080},    {"Gris", 0x808080},
    {"Argent", 0xC0C0C0}, {"Rouge", 0xFF0000},    {"Citron vert", 0x00FF00}, {"Jaune", 0xFFFF00},
    {"Bleu", 0x0000FF},   {"Fuchsia", 0xFF00FF},  {"Aqua", 0x00FFFF},        {"Blanc", 0xFFFFFF},
};

}  // namespace

ScreenFontDialog::ScreenFontDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Police"));
    font_.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font_.setPointSize(kSmallest);

    Fonts = new QFontDialog(this);
    Fonts->setWindowFlags(Qt::Widget);
    Fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    connect(Fonts, &QFontDialog::currentFontChanged, this, &ScreenFontDialog::KeepSizeInRange);
    // Enter or Escape in the font part close the whole chooser, not the part alone.
    connect(Fonts, &QDialog::finished, this, [this](int result) {
        Fonts->setVisible(true);
        done(result);
    });

    Colours = new QComboBox(this);
    Colours->setObjectName(QStringLiteral("Colours"));
    for (const auto& colour : kColours) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor(colour.rgb));
        Colours->addItem(QIcon(swatch), QString::fromUtf8(colour.name), QColor(colour.rgb));
    }
    auto* colourRow = new QFormLayout;
    colourRow->addRow(QStringLiteral("Couleur :"), Colours);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Fonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

QFont ScreenFontDialog::Limited(const QFont& font)
{
    QFont limited = font;
    const int size = font.pointSize() > 0 ? font.pointSize() : kSmallest;
    limited.setPointSize(std::clamp(size, kSmallest, kLargest));
    return limited;
}

void ScreenFontDialog::KeepSizeInRange(const QFont& font)
{
    // The size list offers only the allowed sizes; a size typed outside them goes back in range.
    for (QListView* list : Fonts->findChildren<QListView*>()) {
        const QAbstractItemModel* model = list->model();
        for (int row = 0; model && row < model->rowCount(); ++row) {
            bool number = false;
            const int size = model->index(row, 0).data().toString().toInt(&number);
            if (number)
                list->setRowHidden(row, size < kSmallest || size > kLargest);
        }
    }
    if (font.pointSize() > 0 && (font.pointSize() < kSmallest || font.pointSize() > kLargest))
        Fonts->setCurrentFont(Limited(font));
}

bool ScreenFontDialog::Choose()
{
    Fonts->setCurrentFont(font_);
    KeepSizeInRange(Fonts->currentFont());
    const int index = Colours->findData(colour_);
    Colours->setCurrentIndex(index >= 0 ? index : 0);
    if (exec() != QDialog::Accepted)
        return false;
    font_ = Limited(Fonts->currentFont());
    colour_ = Colours->currentData().value<QColor>();
    return true;
}
