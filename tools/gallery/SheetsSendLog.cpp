// The send-log dialog, the screen resolution dialog, the frame animations and the wizard's step marks.
#include "AppDefines.h"
#include "DisplayResolutionList.h"
#include "GIFWidget.h"
#include "GalleryKit.h"
#include "ModalPage.h"
#include "NButtonBase.h"
#include "NLineEdit.h"
#include "NProgressPage.h"
#include "PathManager.h"
#include "ScreenResolutionTreeView.h"
#include "SelectScreenResolutionModal.h"
#include "SendLogModal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTcpServer>
#include <QTest>
#include <QTextBrowser>

using namespace Gallery;

namespace
{
// The window of a 1920 x 1080 screen.
const QSize WindowSize(1152, 960);

// A whole window as the program shows a dialog: the backdrop under its veil, the modal page on top.
class ModalSheet : public Sheet
{
public:
    explicit ModalSheet(NModalWidget* dialog)
    {
        Grid()->setContentsMargins(0, 0, 0, 0);
        setFixedSize(WindowSize);
        ModalPage* page = ModalPage::Instance();
        page->setModalWidget(dialog);
        // The sheet owns the page now; the page forgets its instance when it goes.
        Grid()->addWidget(page, 0, 0);
    }

    QImage Grab()
    {
        QApplication::processEvents();
        QTest::qWait(30);
        return grab().toImage();
    }
};

void WriteLines(const QString& path, const QString& pattern, int count)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (int i = 1; i <= count; ++i)
        file.write(pattern.arg(i, 4, 10, QLatin1Char('0')).toUtf8() + '\n');
}

void SendLog(const QString& dir)
{
    // Logs and screenshots as a player has them, in the gallery's own data folder.
    PathManager* paths = PathManager::Instance();
    WriteLines(paths->GetEngineLogFile(), QStringLiteral("[t=00:%1] Sim: loading unit definitions"), 300);
    paths->SetLobbyLogFile(paths->GetLobbyLogsDir() + QStringLiteral("/gallery_gamelobby.log"));
    WriteLines(paths->GetLobbyLogFile(), QStringLiteral("12:00:%1 SpringLaunchManager :: START --- skirmish"),
               300);
    QDir().mkpath(paths->GetEngineScreenshotsDir());
    QImage(QStringLiteral(":/Backgrounds/%1/02.jpg").arg(Game()))
        .save(paths->GetEngineScreenshotsDir() + QStringLiteral("/screen00001.png"));
    QImage(QStringLiteral(":/Backgrounds/%1/01.jpg").arg(Game()))
        .save(paths->GetLobbyScreenshotFile(), "JPEG", 85);
    // A web service that takes the upload and never answers: the dialog stays in its sending state.
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    AppDefines::Instance()->SetWebBaseAddress(QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));

    auto* dialog = new SendLogModal();
    ModalSheet page(dialog);
    page.show();
    dialog->GetNameField()->setText(QStringLiteral("Ann Lee"));
    dialog->GetEmailField()->setText(QStringLiteral("ann@example.org"));
    dialog->GetDescription()->setPlainText(
        QStringLiteral("The game stops loading at 80 % on the map Twin Lakes.\nIt happens every time."));
    // The screenshots come 300 ms after the dialog, the logs from their worker.
    for (int wait = 0; wait < 100 && (dialog->GetLobbyLogView()->toPlainText().isEmpty() || wait < 8); ++wait)
        QTest::qWait(50);
    const QImage idle = page.Grab();

    // The lower part of the dialog in the states of a send.
    const QRect strip(0, WindowSize.height() - 300, WindowSize.width(), 250);
    QList<QImage> states;
    dialog->DoButtonSendClick();
    for (int tick = 0; tick < 3; ++tick)
        dialog->GetBusyAnimation()->DoTimerUpdate();
    states << page.Grab().copy(strip);
    dialog->DoLogSent();
    states << page.Grab().copy(strip);
    dialog->DoLogError();
    states << page.Grab().copy(strip);
    page.hide();

    Sheet sheet;
    sheet.Grid()->addWidget(Caption(QStringLiteral("idle, with both screenshots")), 0, 0, Qt::AlignLeft);
    auto* whole = new QLabel();
    whole->setPixmap(QPixmap::fromImage(idle));
    sheet.Grid()->addWidget(whole, 1, 0);
    const QString names[] = {QStringLiteral("sending"), QStringLiteral("sent"), QStringLiteral("not sent")};
    for (int i = 0; i < states.size(); ++i)
    {
        sheet.Grid()->addWidget(Caption(names[i]), 2 + 2 * i, 0, Qt::AlignLeft);
        auto* part = new QLabel();
        part->setPixmap(QPixmap::fromImage(states[i]));
        sheet.Grid()->addWidget(part, 3 + 2 * i, 0);
    }
    Save(&sheet, dir, QStringLiteral("SendLogModal"));
    AppDefines::Instance()->SetWebBaseAddress(QString());
}

void SelectResolution(const QString& dir)
{
    DisplayResolutionList::Instance()->SetScreenSizeSource([] { return QSize(1600, 1200); });
    auto* dialog = new SelectScreenResolutionModal();
    ModalSheet page(dialog);
    page.show();
    // Centred on the current row once the view has laid out its rows.
    QTest::qWait(150);
    Save(&page, dir, QStringLiteral("SelectScreenResolutionModal"));
    DisplayResolutionList::Instance()->SetScreenSizeSource(nullptr);
}

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

Registration s_sendLog("SendLogModal", SendLog);
Registration s_resolution("SelectScreenResolutionModal", SelectResolution);
Registration s_animations("GIFWidget", Animations);
Registration s_steps("NProgressPage", Steps);
} // namespace
