// The skin editor's behaviour: opening on a record, selecting and moving elements (by the X and Y
// boxes or with the mouse), the picture, colour and font choices, and Apply, OK, Annuler, Défaut.
#include "panel/SkinEditor.h"

#include "panel/PictureButton.h"
#include "panel/ScreenFontDialog.h"
#include "panel/SkinPicture.h"
#include "platform/system/Windows1252.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// The record's place of an element of the list.
QPoint& PlaceOf(SkinRecord& record, int element)
{
    switch (element) {
    case TForm2::Previous: return record.ButtonAt[SkinRecord::Previous];
    case TForm2::Rewind: return record.ButtonAt[SkinRecord::Rewind];
    case TForm2::SkinEditor: return record.SkinEditorAt;
    case TForm2::Help: return record.HelpAt;
    case TForm2::FullScreen: return record.FullScreenAt;
    case TForm2::Pause: return record.ButtonAt[SkinRecord::Pause];
    case TForm2::Play: return record.ButtonAt[SkinRecord::Play];
    case TForm2::Stop: return record.ButtonAt[SkinRecord::Stop];
    case TForm2::Forward: return record.ButtonAt[SkinRecord::Forward];
    case TForm2::Next: return record.ButtonAt[SkinRecord::Next];
    case TForm2::Quit: return record.QuitAt;
    default: return record.StatusAt;
    }
}

// The record's button picture of an element; -1 for the elements that have none.
int ButtonOf(int element)
{
    switch (element) {
    case TForm2::Previous: return SkinRecord::Previous;
    case TForm2::Rewind: return SkinRecord::Rewind;
    case TForm2::Pause: return SkinRecord::Pause;
    case TForm2::Play: return SkinRecord::Play;
    case TForm2::Stop: return SkinRecord::Stop;
    case TForm2::Forward: return SkinRecord::Forward;
    case TForm2::Next: return SkinRecord::Next;
    default: return -1;
    }
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

bool IsLeftRelease(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonRelease
           && static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

bool TForm2::Edit(SkinRecord& record, SkinEditorHost host)
{
    record_ = &record;
    host_ = std::move(host);
    FormActivate();
    exec();
    record_ = nullptr;
    drag_.reset();
    return SkinEditorAccepted;
}

void TForm2::FormActivate()
{
    SkinEditorAccepted = false;
    const SkinRecord& record = *record_;
    transparency_ = record.TransparencyColour;
    screen_ = record.ScreenColour;
    fontColour_ = record.FontColour;
    fontName_ = record.FontName;
    fontSize_ = record.FontSize;
    Label5->clear();
    QString error;
    Image1->setPixmap(QPixmap::fromImage(ReadSkinPicture(record.Background, error)));
    for (int element = 0; element < ElementCount; ++element)
        ElementWidget(element)->move(PlaceOf(*record_, element));
    QFont font(fontName_);
    font.setPointSize(std::clamp(fontSize_, 1, 72));
    Panel3->setFont(font);
    ShowColours();
    // The element chosen last time stays chosen; its boxes and picture follow this record.
    if (ComboBox1->currentIndex() >= 0)
        ComboBox1Change();
}

void TForm2::ShowColours()
{
    SetColour(Panel2, QPalette::Window, ColourOf(transparency_));
    SetColour(Panel4, QPalette::Window, ColourOf(screen_));
    SetColour(Panel3, QPalette::Window, ColourOf(screen_));
    SetColour(Panel3, QPalette::WindowText, ColourOf(fontColour_));
}

void TForm2::SelectElement(int element)
{
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->setCurrentIndex(element);
    }
    ComboBox1Change();
}

void TForm2::ComboBox1Change()
{
    Image2->hide();
    const int element = ComboBox1->currentIndex();
    if (element < 0)
        return;
    // The boxes show the element's place without moving it.
    const QWidget* widget = ElementWidget(element);
    {
        const QSignalBlocker x(Edit1), y(Edit2);
        Edit1->setValue(widget->x());
        Edit2->setValue(widget->y());
    }
    const int button = ButtonOf(element);
    if (button >= 0 && record_) {
        Image2->setPixmap(QPixmap::fromImage(QImage(record_->Buttons[button])));
        Image2->show();
    }
}

void TForm2::Edit1Change()
{
    if (QWidget* widget = ElementWidget(ComboBox1->currentIndex()))
        widget->move(Edit1->value(), widget->y());
}

void TForm2::Edit2Change()
{
    if (QWidget* widget = ElementWidget(ComboBox1->currentIndex()))
        widget->move(widget->x(), Edit2->value());
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    const struct {
        QObject* control;
        void (TForm2::*click)();
    } clicks[] = {{Image1, &TForm2::Image1Click}, {Image2, &TForm2::Image2Click},
                  {Panel2, &TForm2::BitBtn4Click}, {Panel4, &TForm2::Panel4Click}};
    for (const auto& click : clicks)
        if (watched == click.control && IsLeftRelease(event)) {
            (this->*click.click)();
            return true;
        }
    const int element = ElementOf(watched);
    if (element >= 0 && DragElement(element, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TForm2::DragElement(int element, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // A press picks the element; moving the pointer with the button down carries it.
        SelectElement(element);
        drag_ = Drag{element, mouse->globalPosition().toPoint(), ElementWidget(element)->pos()};
        return true;
    }
    case QEvent::MouseMove: {
        if (!drag_ || drag_->element != element)
            return false;
        const QPoint to =
            drag_->elementStart + static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - drag_->pointerStart;
        Edit1->setValue(to.x());
        Edit2->setValue(to.y());
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (!drag_)
            return false;
        if (event->type() == QEvent::MouseButtonRelease)
            drag_.reset();
        return true;
    default:
        return false;
    }
}

QString TForm2::ChoosePicture(QFileDialog& dialog, QImage& picture)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    // A picture that cannot be read, or a path the record cannot keep, is refused.
    QString problem = SkinPathProblem(path);
    if (problem.isEmpty())
        picture = ReadSkinPicture(path, problem);
    if (!problem.isEmpty()) {
        ShowSkinError(problem);
        return {};
    }
    return path;
}

void TForm2::Image1Click()
{
    QImage picture;
    BuildDialogs();
    const QString path = ChoosePicture(*OpenPictureDialog1, picture);
    if (path.isEmpty())
        return;
    Image1->setPixmap(QPixmap::fromImage(picture));
    Label5->setText(path);
}

void TForm2::Image2Click()
{
    QImage picture;
    BuildDialogs();
    const QString path = ChoosePicture(*OpenPictureDialog2, picture);
    if (path.isEmpty())
        return;
    Image2->setPixmap(QPixmap::fromImage(picture));
    const int button = ButtonOf(ComboBox1->currentIndex());
    if (button >= 0 && record_)
        record_->Buttons[button] = path;
}

std::optional<QColor> TForm2::ChooseColour()
{
    // The dialog opens on its own last answer, not on the skin's colours.
    BuildDialogs();
    ColorDialog1->setCurrentColor(lastColour_);
    if (ColorDialog1->exec() != QDialog::Accepted)
        return std::nullopt;
    lastColour_ = ColorDialog1->selectedColor();
    return lastColour_;
}

void TForm2::BitBtn4Click()
{
    if (const std::optional<QColor> colour = ChooseColour()) {
        transparency_ = RecordColourOf(*colour);
        ShowColours();
    }
}

void TForm2::Panel4Click()
{
    if (const std::optional<QColor> colour = ChooseColour()) {
        screen_ = RecordColourOf(*colour);
        ShowColours();
    }
}

void TForm2::BitBtn5Click()
{
    BuildDialogs();
    if (!FontDialog1->Choose())
        return;
    const QFont font = FontDialog1->SelectedFont();
    if (!platform::ToWindows1252(font.family()) || font.family().size() > SkinRecord::kPathBytes) {
        ShowSkinError(QStringLiteral("Le nom de la police « %1 » ne peut pas être enregistré dans le fichier "
                                     "d'interface. Choisissez une autre police.")
                          .arg(font.family()));
        return;
    }
    Panel3->setFont(font);
    fontName_ = font.family();
    fontSize_ = font.pointSize();
    fontColour_ = RecordColourOf(FontDialog1->SelectedColour());
    ShowColours();
}

void TForm2::TakePreviewInto(SkinRecord& record) const
{
    for (int element = 0; element < ElementCount; ++element)
        PlaceOf(record, element) = ElementWidget(element)->pos();
    // The full-screen button's place is kept twice, both the same.
    record.FullScreenFirstAt = record.FullScreenAt;
    record.TransparencyColour = transparency_;
    record.ScreenColour = screen_;
    record.FontColour = fontColour_;
    record.FontName = fontName_;
    record.FontSize = fontSize_;
    if (!Label5->text().isEmpty())
        record.Background = Label5->text();
}

void TForm2::BitBtn6Click()
{
    if (!record_)
        return;
    TakePreviewInto(*record_);
    if (host_.Apply)
        host_.Apply(*record_);
    raise();
    activateWindow();
}

void TForm2::BitBtn1Click()
{
    if (record_)
        TakePreviewInto(*record_);
    SkinEditorAccepted = true;
    accept();
}

void TForm2::BitBtn2Click()
{
    SkinEditorAccepted = false;
    reject();
}

void TForm2::Button1Click()
{
    // Without interface.dat the panel's reload takes the defaults; a failure to remove is not said.
    if (!host_.SkinFile.isEmpty())
        QFile::remove(host_.SkinFile);
    SkinEditorAccepted = false;
    reject();
}
