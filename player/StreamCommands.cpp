// The DVD's audio language, subtitles and camera angle, chosen in their dialogs; and the bookmark.
#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "player/CommandWait.h"
#include "platform/system/Languages.h"
#include "platform/system/MessageBox.h"
#include "player/VideoWindow.h"
#include "player/SubtitlesDialog.h"
#include "player/AudioDialog.h"
#include "player/AngleDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>

namespace {

void NoDisc(QWidget* owner)
{
    platform::ShowMessageBox({owner, QStringLiteral("Attention"),
                              QStringLiteral("Impossible de trouver les informations: aucun disque de chargé."),
                              platform::MessageIcon::None});
}

// The language's name in the desktop's own language; the two-letter code when there is no name.
QString LanguageEntry(uint32_t lcid)
{
    const QString uiLanguage = QLocale::system().uiLanguages().value(0, QStringLiteral("en")).left(2);
    const QString name = platform::LanguageName(lcid, uiLanguage);
    if (!name.isEmpty())
        return name;
    const QString code = platform::Iso639FromLcid(lcid);
    return code.isEmpty() ? QStringLiteral("?") : code;
}

// Fills a list with one entry per stream and selects the current one.
void FillLanguages(QComboBox* list, uint32_t count, uint32_t current,
                   const std::function<HRESULT(uint32_t, uint32_t&)>& languageOf)
{
    for (uint32_t stream = 0; stream < count; ++stream) {
        uint32_t lcid = 0;
        languageOf(stream, lcid);
        list->addItem(LanguageEntry(lcid));
        if (stream == current)
            list->setCurrentIndex(int(stream));
    }
}

}  // namespace

void TForm10::Audio1Click()
{
    Form7->ClearList();
    auto info = DVDGraph->IDvdInfo2();
    uint32_t count = 0, current = 0;
    if (!info || FAILED(info->GetCurrentAudio(count, current))) {
        NoDisc(Model.Panel().Window());
        return;
    }
    FillLanguages(Form7->ComboBox1, count, current,
                  [&info](uint32_t s, uint32_t& lcid) { return info->GetAudioLanguage(s, lcid); });
    if (!RunGoToDialog(*Form7))
        return;
    LastCommand.reset();
    if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->SelectAudioStream(uint32_t(Form7->ComboBox1->currentIndex()),
                                                    dvd::DVD_CMD_FLAG_None, &LastCommand);
}

void TForm10::Soustitres1Click()
{
    Form6->ClearList();
    auto info = DVDGraph->IDvdInfo2();
    uint32_t count = 0, current = 0;
    bool disabled = true;
    if (!info || FAILED(info->GetCurrentSubpicture(count, current, disabled))) {
        NoDisc(Model.Panel().Window());
        return;
    }
    FillLanguages(Form6->ComboBox1, count, current,
                  [&info](uint32_t s, uint32_t& lcid) { return info->GetSubpictureLanguage(s, lcid); });
    Form6->CheckBox1->setChecked(!disabled);
    if (!RunGoToDialog(*Form6))
        return;
    auto control = DVDGraph->IDvdControl2();
    if (!control)
        return;
    com::Ref<dvd::IDvdCmd> command;
    if (Form6->CheckBox1->isChecked()) {
        // An index of -1 (nothing chosen) is the navigator's to refuse.
        WaitAndRelease(control->SelectSubpictureStream(uint32_t(Form6->ComboBox1->currentIndex()), dvd::DVD_CMD_FLAG_None,
                                                &command),
                command);
        WaitAndRelease(control->SetSubpictureState(true, dvd::DVD_CMD_FLAG_None, &command), command);
    } else {
        WaitAndRelease(control->SetSubpictureState(false, dvd::DVD_CMD_FLAG_None, &command), command);
    }
}

void TForm10::Angle1Click()
{
    Form8->ClearList();
    auto info = DVDGraph->IDvdInfo2();
    uint32_t count = 0, current = 0;
    // Without a DVD there are no angles to choose: nothing happens.
    if (!info || FAILED(info->GetCurrentAngle(count, current)))
        return;
    for (uint32_t angle = 1; angle <= count; ++angle)
        Form8->ComboBox1->addItem(QStringLiteral("Angle %1").arg(angle));
    Form8->ComboBox1->setCurrentIndex(int(current) - 1);
    if (!RunGoToDialog(*Form8))
        return;
    LastCommand.reset();
    if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->SelectAngle(uint32_t(Form8->ComboBox1->currentIndex() + 1), dvd::DVD_CMD_FLAG_None,
                                              &LastCommand);
}

QString TForm10::BookmarkPath() const
{
    return Model.Panel().SettingsFolder() + QStringLiteral("bookmark.bmk");
}

void TForm10::Mettreunsignet1Click()
{
    if (!DVDGraph->IDvdInfo2())
        return;
    DVDGraph->SaveBookmark(BookmarkPath());
    if (FAILED(DVDGraph->LastBookmarkResult()))
        Model.StatusDisplay().TextOut(5, 5, QStringLiteral("Signet non enregistré"));
}

void TForm10::Allerausignet1Click()
{
    if (!DVDGraph->IDvdControl2())
        return;
    DVDGraph->RestoreBookmark(BookmarkPath());
    const HRESULT hr = DVDGraph->LastBookmarkResult();
    if (SUCCEEDED(hr))
        return;
    Model.StatusDisplay().TextOut(5, 5, hr == dvd::VFW_E_DVD_STATE_WRONG_DISC ? QStringLiteral("Signet d'un autre disque")
                                                                        : QStringLiteral("Aucun signet pour ce disque"));
}
