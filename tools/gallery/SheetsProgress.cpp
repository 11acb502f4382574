// The frame animations and the wizard's step marks.
#include "GIFWidget.h"
#include "GalleryKit.h"
#include "NProgressPage.h"

using namespace Gallery;

namespace
{
void Animations(const QString& dir)
{
    Sheet sheet;
    const struct
    {
        int kind;
        int frames;
        const char* name;
    } kinds[] = {
        {0, 11, "kind 0 spinner"}, {1, 8, "kind 1 bar"}, {2, 10, "kind 2 blink"}, {3, 1, "kind 3 none"}};
    for (int f = 1; f <= 11; ++f)
        sheet.Grid()->addWidget(new NImageLabel(15, QString::number(f), QColor(255, 195, 0)), 0, f,
                                Qt::AlignCenter);
    int row = 1;
    for (const auto& kind : kinds)
    {
        sheet.Grid()->addWidget(Caption(QLatin1String(kind.name)), row, 0, Qt::AlignRight | Qt::AlignVCenter);
        for (int f = 1; f <= kind.frames; ++f)
        {
            auto* gif = new GIFWidget(kind.kind, true);
            // The first tick shows the first picture again; each further one the next.
            for (int tick = 0; tick < f; ++tick)
                gif->DoTimerUpdate();
            sheet.Grid()->addWidget(gif, row, f, Qt::AlignCenter);
        }
        ++row;
    }
    Save(&sheet, dir, QStringLiteral("GIFWidget"));
}

void Steps(const QString& dir)
{
    Sheet sheet;
    sheet.Grid()->setColumnMinimumWidth(1, 360);
    int row = 0;
    for (int mode : {0, 1})
    {
        for (int step : {0, 2, 4})
        {
            sheet.Grid()->addWidget(
                Caption(QStringLiteral("%1, 5 steps, step %2").arg(mode ? "numbers" : "dots").arg(step + 1)),
                row, 0, Qt::AlignRight | Qt::AlignVCenter);
            auto* steps = new NProgressPage(5, mode);
            steps->SetCurrentStep(step);
            sheet.Grid()->addWidget(steps, row++, 1);
        }
    }
    sheet.Grid()->addWidget(Caption(QStringLiteral("dots, 3 steps, after the last")), row, 0,
                            Qt::AlignRight | Qt::AlignVCenter);
    auto* done = new NProgressPage(3, 0);
    done->SetCurrentStep(10);
    sheet.Grid()->addWidget(done, row++, 1);
    sheet.Grid()->addWidget(Caption(QStringLiteral("no steps")), row, 0, Qt::AlignRight | Qt::AlignVCenter);
    sheet.Grid()->addWidget(new NProgressPage(0, 1), row, 1);
    Save(&sheet, dir, QStringLiteral("NProgressPage"));
}

Registration s_animations("GIFWidget", Animations);
Registration s_steps("NProgressPage", Steps);
} // namespace
