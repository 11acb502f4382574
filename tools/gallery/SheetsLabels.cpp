// Every label kind in both alphabets, and the picture widgets and frames.
#include "Common.h"
#include "GalleryKit.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NLabel.h"
#include "NPicture.h"

#include <QApplication>
#include <QEvent>
#include <QVBoxLayout>

using namespace Gallery;

namespace
{
void Labels(const QString& dir, bool cyrillic)
{
    const QString language = GuiLanguageCode;
    SetGuiLanguage(cyrillic ? QStringLiteral("RU") : QStringLiteral("EN"));
    const QString sample =
        cyrillic ? QStringLiteral("Битва начнётся скоро 42") : QStringLiteral("Battle starts soon 42");
    Sheet sheet;
    for (int kind = 0; kind <= 18; ++kind)
    {
        const NFontSpec spec = NImageLabel::FontSpec(kind, cyrillic, GuiMetrics::UiScale);
        sheet.Grid()->addWidget(
            Caption(QStringLiteral("kind %1  %2 %3px").arg(kind).arg(spec.family).arg(spec.pixelSize)), kind,
            0, Qt::AlignRight | Qt::AlignVCenter);
        sheet.Grid()->addWidget(new NImageLabel(kind, sample, Qt::white), kind, 1);
        sheet.Grid()->addWidget(new NImageLabel(kind, sample, QColor(255, 195, 0)), kind, 2);
    }
    sheet.Grid()->addWidget(Caption(QStringLiteral("NLabel")), 19, 0, Qt::AlignRight);
    sheet.Grid()->addWidget(new NLabel(sample, Qt::white), 19, 1);
    sheet.Grid()->addWidget(Caption(QStringLiteral("Chinese fallback")), 20, 0, Qt::AlignRight);
    sheet.Grid()->addWidget(new NImageLabel(3, QStringLiteral("多人游戏 单人游戏"), Qt::white), 20, 1);
    Save(&sheet, dir, cyrillic ? QStringLiteral("labels_cyrillic") : QStringLiteral("labels"));
    SetGuiLanguage(language);
}
void Pictures(const QString& dir)
{
    Sheet sheet;
    const QPixmap wide(QStringLiteral(":/Backgrounds/%1/02.jpg").arg(Game()));
    const QString names[] = {QStringLiteral("plain"), QStringLiteral("checkable"),
                             QStringLiteral("checkable hovered"), QStringLiteral("checked")};
    for (int i = 0; i < 4; ++i)
    {
        auto* picture = new NPicture();
        picture->setFixedSize(180, 120);
        picture->SetPixmap(i == 0 ? QPixmap(QStringLiteral(":/AI/rav.png")) : wide);
        if (i > 0)
            picture->SetCheckable(true);
        if (i == 2)
        {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(picture, &enter);
        }
        if (i == 3)
            picture->SetChecked(true);
        sheet.Grid()->addWidget(Caption(names[i]), 0, i, Qt::AlignCenter);
        sheet.Grid()->addWidget(picture, 1, i);
    }
    auto* empty = new NPicture();
    empty->setFixedSize(120, 120);
    empty->SetPixmap(QPixmap(QStringLiteral(":/PlayerStatus/player_no_photo.png")));
    sheet.Grid()->addWidget(Caption(QStringLiteral("no photo")), 0, 4, Qt::AlignCenter);
    sheet.Grid()->addWidget(empty, 1, 4);
    // The framed panel of the map views and the band behind dialogs.
    auto* panel = new QFrame();
    panel->setObjectName(QStringLiteral("MapFrame"));
    panel->setStyleSheet(Common::FrameImageStyle(QStringLiteral("MapFrame"), false));
    panel->setFixedSize(360, 200);
    sheet.Grid()->addWidget(Caption(QStringLiteral("map frame")), 2, 0, 1, 2, Qt::AlignCenter);
    sheet.Grid()->addWidget(panel, 3, 0, 1, 2, Qt::AlignCenter);
    auto* band = new QFrame();
    band->setObjectName(QStringLiteral("ModalPageFrame"));
    band->setStyleSheet(
        QStringLiteral("QFrame#ModalPageFrame{background-image: url(:/Back/back_dark.png);}"));
    band->setFixedSize(520, 200);
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->addWidget(new NImageLabel(3, QStringLiteral("Modal band"), QColor(255, 195, 0)), 0,
                          Qt::AlignCenter);
    auto* ok = new NButtonModal(ButtonBlue);
    ok->SetText(QStringLiteral("OK"));
    ok->SetMinimumWidth(GuiButtonMinWidth);
    bandLayout->addWidget(ok, 0, Qt::AlignCenter);
    sheet.Grid()->addWidget(Caption(QStringLiteral("modal band")), 2, 2, 1, 3, Qt::AlignCenter);
    sheet.Grid()->addWidget(band, 3, 2, 1, 3, Qt::AlignCenter);
    Save(&sheet, dir, QStringLiteral("pictures"));
}
void AllLabels(const QString& dir)
{
    Labels(dir, false);
    Labels(dir, true);
}
} // namespace

static Registration s_labels("labels", AllLabels);
static Registration s_pictures("pictures", Pictures);
