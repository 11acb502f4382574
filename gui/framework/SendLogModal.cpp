#include "SendLogModal.h"

#include "AppSettings.h"
#include "CommonIO.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "FrameKit.h"
#include "GIFWidget.h"
#include "GuiMetrics.h"
#include "LogFilesWorker.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "PathManager.h"
#include "WebLog.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
enum LogId
{
    GameLogId = 0,
    LobbyLogId = 1
};

const QString TextStyle = QStringLiteral("QTextBrowser { color: rgb( 255, 255, 255 ); %1 } %2");

NImageLabel* Label(const QString& text, const QColor& color)
{
    return new NImageLabel(3, text, color);
}

// A caption on a row of its own, one unit in from the left.
QLayout* CaptionRow(const QString& text, const QColor& color)
{
    auto* row = new QHBoxLayout();
    row->setContentsMargins(GuiUnit, 0, 0, 0);
    row->setSpacing(0);
    NImageLabel* label = Label(text, color);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(label);
    return row;
}

QImage FilledFrom(const QString& filePath, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    Common::ScaleImageFileToFill(image, filePath);
    return image;
}
} // namespace

SendLogModal::SendLogModal() : NModalWidget(tr("Send Logs to developers").toUpper(), MODAL_NO_BUTTONS)
{
    m_send = new NButtonModal(ButtonRed, true);
    m_send->SetText(tr("Send"));
    m_send->SetMinimumWidth(GuiButtonMinWidth);
    m_close = new NButtonModal(ButtonBlue, false);
    m_close->SetText(tr("Close"));
    m_close->SetMinimumWidth(GuiButtonMinWidth);
    connect(m_send, &QPushButton::clicked, this, &SendLogModal::DoButtonSendClick);
    connect(m_close, &QPushButton::clicked, this, &SendLogModal::DoButtonCloseClick);

    auto* mainRow = new QHBoxLayout();
    mainRow->setContentsMargins(0, 0, 0, 0);
    mainRow->setSpacing(GuiUnit);
    mainRow->addLayout(BuildLeftColumn());
    mainRow->addSpacing(2 * GuiUnit);
    mainRow->addLayout(BuildRightColumn(), 1);

    auto* statusFrame = new QFrame();
    statusFrame->setFrameShape(QFrame::NoFrame);
    statusFrame->setObjectName(QStringLiteral("StatusFrame"));
    statusFrame->setStyleSheet(Common::StyleSheetById(QStringLiteral("StatusFrame")));
    auto* statusRow = new QHBoxLayout(statusFrame);
    statusRow->setContentsMargins(0, 0, 0, 0);
    statusRow->setSpacing(GuiUnit);
    NImageLabel* hint = Label(tr("To make a screenshot of the game or lobby - press 'F12'' key").toUpper(),
                              Common::ColorLight());
    hint->setAlignment(Qt::AlignCenter);
    statusRow->addWidget(hint);
    // The button's height is fixed by its pictures.
    statusFrame->setFixedHeight(m_send->minimumHeight() - GuiUnit);

    auto* buttonFrame = new QFrame();
    buttonFrame->setFrameShape(QFrame::NoFrame);
    auto* buttonRow = new QHBoxLayout(buttonFrame);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(0);
    buttonRow->addStretch();
    buttonRow->addWidget(m_send);
    buttonRow->addWidget(m_close);
    buttonRow->addStretch();

    auto* whole = new QVBoxLayout();
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addSpacing(5 * GuiUnit);
    whole->addLayout(mainRow);
    whole->addSpacing(2 * GuiUnit);
    whole->addWidget(statusFrame);
    whole->addSpacing(GuiUnit);
    whole->addWidget(buttonFrame);
    setLayout(Common::CreateMainFrame(whole));

    m_web = new WebLog();
    connect(m_web, &WebLog::OnLogSent, this, &SendLogModal::DoLogSent);
    connect(m_web, &WebLog::OnLogError, this, &SendLogModal::DoLogError);
    // Return or Enter sends, Escape closes; a disabled button ignores them.
    connect(this, &NModalWidget::OnClick_OK, m_send, &QPushButton::click);
    connect(this, &NModalWidget::OnClick_Cancel, m_close, &QPushButton::click);

    // Logs can be huge: their ends are read on a worker and shown when they arrive.
    m_reader = new LogFilesWorker();
    connect(m_reader, &LogFilesWorker::OnTailRead, this, &SendLogModal::DoLogRead);
    const PathManager* paths = PathManager::Instance();
    for (const auto& log : {qMakePair(int(GameLogId), paths->GetEngineLogFile()),
                            qMakePair(int(LobbyLogId), paths->GetLobbyLogFile())})
        m_reader->Queue("DoReadTail", Q_ARG(int, log.first), Q_ARG(QString, log.second),
                        Q_ARG(qint64, MaxLogViewBytes));

    QTimer::singleShot(300, this, &SendLogModal::DoLoadGameScreenshot);
    QTimer::singleShot(300, this, &SendLogModal::DoLoadLobbyScreenshot);
}

SendLogModal::~SendLogModal()
{
    delete m_reader;
    delete m_web;
}

QLayout* SendLogModal::BuildLeftColumn()
{
    m_name = new NLineEdit();
    m_name->setFixedWidth(Common::Scale(340));
    m_name->setMaxLength(100);
    m_name->setText(AppSettingsSpringConnection::Instance()->Login);
    m_email = new NLineEdit();
    m_email->setFixedWidth(Common::Scale(340));
    m_email->setMaxLength(100);

    m_description = new QTextBrowser();
    m_description->setReadOnly(false);
    m_description->setFont(m_email->font());
    m_description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_description->setLineWrapMode(QTextEdit::WidgetWidth);
    m_description->setFrameShape(QFrame::Box);
    m_description->setFixedSize(Common::Scale(340), Common::Scale(200));
    m_description->document()->setMaximumBlockCount(200);
    m_description->setStyleSheet(TextStyle.arg(Common::DarkBackgroundStyle(), Common::ScrollBarStyle()));

    m_busy = new GIFWidget(1, false);
    m_status = Label(QString(), Common::ColorLight());
    m_status->setAlignment(Qt::AlignCenter);
    m_status->hide();

    auto* column = new QVBoxLayout();
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(CaptionRow(tr("Your name"), Common::ColorMain()));
    column->addSpacing(GuiUnit);
    column->addWidget(m_name);
    column->addSpacing(2 * GuiUnit);
    column->addLayout(CaptionRow(tr("E-Mail"), Common::ColorMain()));
    column->addSpacing(GuiUnit);
    column->addWidget(m_email);
    column->addSpacing(2 * GuiUnit);
    column->addLayout(CaptionRow(tr("Describe your problem"), Common::ColorMain()));
    column->addSpacing(GuiUnit);
    column->addWidget(m_description);
    column->addStretch();
    column->addLayout(DialogKit::Centred(m_busy));
    column->addSpacing(GuiUnit);
    column->addWidget(m_status);
    return column;
}

QLayout* SendLogModal::BuildRightColumn()
{
    const bool hasGameScreenshot = !NewestScreenshot().isEmpty();
    const bool hasLobbyScreenshot = QFile::exists(PathManager::Instance()->GetLobbyScreenshotFile());
    auto* column = new QVBoxLayout();
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(GuiUnit);
    for (const bool game : {true, false})
    {
        auto* row = new QHBoxLayout();
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2 * GuiUnit);
        row->addLayout(BuildLogColumn(game), 3);
        if (game ? hasGameScreenshot : hasLobbyScreenshot)
            row->addLayout(BuildScreenshotColumn(game), 2);
        if (!game)
            column->addSpacing(GuiUnit);
        column->addLayout(row);
    }
    return column;
}

QLayout* SendLogModal::BuildLogColumn(bool game)
{
    auto* caption = new QHBoxLayout();
    caption->setContentsMargins(GuiUnit, 0, 0, 0);
    caption->setSpacing(GuiUnit);
    caption->addWidget(Label((game ? tr("Game LOG") : tr("Lobby LOG")).toUpper(), Common::ColorLight()));
    auto* show = new NButton(ButtonBlue, true);
    show->SetText(tr("Show"));
    connect(show, &QPushButton::clicked, this,
            game ? &SendLogModal::DoButtonShowGameLogFolderClick
                 : &SendLogModal::DoButtonShowLobbyLogFolderClick);
    caption->addWidget(show);
    caption->addStretch();

    QTextBrowser* view = CreateLogView();
    (game ? m_gameLog : m_lobbyLog) = view;
    auto* column = new QVBoxLayout();
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(GuiUnitHalf);
    column->addLayout(caption);
    column->addWidget(view, 1);
    return column;
}

QTextBrowser* SendLogModal::CreateLogView() const
{
    auto* view = new QTextBrowser();
    QFont font(GuiFontCourier);
    font.setWeight(50);
    font.setPixelSize(Common::Scale(12));
    view->setFont(font);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setLineWrapMode(QTextEdit::NoWrap);
    view->setReadOnly(true);
    view->setFocusPolicy(Qt::NoFocus);
    view->setFrameShape(QFrame::Box);
    view->setStyleSheet(TextStyle.arg(Common::DarkBackgroundStyle(), Common::ScrollBarStyle()));
    return view;
}

QLayout* SendLogModal::BuildScreenshotColumn(bool game)
{
    auto* picture = new QLabel();
    // The picture is made to the label's size, never the other way round.
    picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    (game ? m_gameScreenshot : m_lobbyScreenshot) = picture;
    auto* column = new QVBoxLayout();
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(GuiUnit);
    column->addLayout(
        CaptionRow((game ? tr("Game Screenshot") : tr("Lobby Screenshot")).toUpper(), Common::ColorLight()));
    column->addWidget(Common::CreateBlackBoxFrame(picture), 1);
    return column;
}

QString SendLogModal::NewestScreenshot()
{
    const QDir folder(PathManager::Instance()->GetEngineScreenshotsDir());
    const QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::Time);
    for (const QFileInfo& file : files)
    {
        if (QImageReader(file.absoluteFilePath()).canRead())
            return file.absoluteFilePath();
    }
    return QString();
}

void SendLogModal::DoLogRead(int id, QString text, bool opened)
{
    QTextBrowser* view = id == GameLogId ? m_gameLog : m_lobbyLog;
    if (!opened)
    {
        const PathManager* paths = PathManager::Instance();
        qDebug().noquote() << (id == GameLogId ? "SendLogModal :: Game Log file can NOT be opened"
                                               : "SendLogModal :: Lobby Log file can NOT be opened")
                           << (id == GameLogId ? paths->GetEngineLogFile() : paths->GetLobbyLogFile());
        return;
    }
    view->setPlainText(text);
}

void SendLogModal::DoLoadGameScreenshot()
{
    if (!m_gameScreenshot)
        return;
    const QString newest = NewestScreenshot();
    const QImage source(newest);
    if (source.isNull())
        return;
    m_gameScreenshot->setPixmap(QPixmap::fromImage(FilledFrom(newest, m_gameScreenshot->size())));
    const QString copy = PathManager::Instance()->GetGameScreenshotFile();
    if (!source.save(copy, "JPEG", 85))
    {
        qWarning().noquote() << "SendLogModal :: CAN NOT SAVE ---" << copy;
        return;
    }
    m_gameScreenshotShown = true;
}

void SendLogModal::DoLoadLobbyScreenshot()
{
    const QString file = PathManager::Instance()->GetLobbyScreenshotFile();
    if (!m_lobbyScreenshot || !QFile::exists(file))
        return;
    m_lobbyScreenshot->setPixmap(QPixmap::fromImage(FilledFrom(file, m_lobbyScreenshot->size())));
    m_lobbyScreenshotShown = true;
}

void SendLogModal::DoButtonSendClick()
{
    FrameKit::PlayButtonOn();
    m_send->setEnabled(false);
    m_close->setEnabled(false);
    m_busy->Start();
    ShowStatus(tr("Sending LOGs"), Common::ColorLight());
    const PathManager* paths = PathManager::Instance();
    m_web->SetLog(m_name->text(), m_email->text(), m_description->toPlainText(), paths->GetEngineLogFile(),
                  paths->GetLobbyLogFile(),
                  m_gameScreenshotShown ? paths->GetGameScreenshotFile() : QString(),
                  m_lobbyScreenshotShown ? paths->GetLobbyScreenshotFile() : QString());
}

void SendLogModal::DoButtonCloseClick()
{
    ExitWithSound();
}

void SendLogModal::DoLogSent()
{
    ShowStatus(tr("LOGs sent"), Common::ColorGreen());
    QTimer::singleShot(ResultShownMs, this, &SendLogModal::DoLogCanSendAgain);
}

void SendLogModal::DoLogError()
{
    ShowStatus(tr("Error, LOGs not sent"), Common::ColorRed());
    QTimer::singleShot(ResultShownMs, this, &SendLogModal::DoLogCanSendAgain);
}

void SendLogModal::DoLogCanSendAgain()
{
    m_send->setEnabled(true);
    m_close->setEnabled(true);
    m_busy->Stop();
    m_status->hide();
}

void SendLogModal::DoButtonShowGameLogFolderClick()
{
    CommonIO::ShowInExplorer(PathManager::Instance()->GetSpringDataDir());
}

void SendLogModal::DoButtonShowLobbyLogFolderClick()
{
    CommonIO::ShowInExplorer(PathManager::Instance()->GetLobbyLogsDir());
}

void SendLogModal::ShowStatus(const QString& text, const QColor& color)
{
    m_status->SetText(text.toUpper());
    m_status->SetColor(color);
    m_status->show();
}
