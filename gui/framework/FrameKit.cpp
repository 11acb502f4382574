#include "FrameKit.h"

#include "GuiMetrics.h"
#include "PathManager.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#if __has_include("NImageLabel.h") && __has_include("NButtonBase.h")
#include "NButtonBase.h"
#include "NImageLabel.h"
#define QM_FRAME_HAS_KIT 1
#endif

#if __has_include("SoundManager.h")
#include "SoundManager.h"
#define QM_FRAME_HAS_SOUND 1
#endif

namespace
{
std::function<void(const QString&)> g_recorder;

void Record(const QString& request)
{
    if (g_recorder)
        g_recorder(request);
}
} // namespace

namespace FrameKit
{
QLabel* CreateLabel(int fontKind, const QString& text, const QColor& color)
{
#ifdef QM_FRAME_HAS_KIT
    return new NImageLabel(fontKind, text, color);
#else
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(fontKind == 0 ? 24 : 16);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
    return label;
#endif
}

void SetLabelText(QLabel* label, const QString& text)
{
#ifdef QM_FRAME_HAS_KIT
    if (auto* imageLabel = qobject_cast<NImageLabel*>(label))
    {
        imageLabel->SetText(text);
        return;
    }
#endif
    label->setText(text);
}

QPushButton* CreateModalButton(int color, const QString& caption)
{
#ifdef QM_FRAME_HAS_KIT
    auto* button = new NButtonModal(color, true);
    button->SetText(caption);
    button->SetMinimumWidth(GuiButtonMinWidth);
    // Let the caption set its width before any layout places the button.
    button->Relayout();
    return button;
#else
    Q_UNUSED(color);
    auto* button = new QPushButton(caption.toUpper());
    button->setMinimumWidth(GuiButtonMinWidth);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
#endif
}

QPushButton* CreateMenuButton(int color, const QString& caption)
{
#ifdef QM_FRAME_HAS_KIT
    auto* button = new NButtonMenu(color, true);
    button->SetText(caption);
    button->SetMinimumWidth(GuiButtonMinWidth);
    // Let the caption set its width before any layout places the button.
    button->Relayout();
    return button;
#else
    Q_UNUSED(color);
    auto* button = new QPushButton(caption.toUpper());
    button->setMinimumWidth(GuiButtonMinWidth);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
#endif
}

QString GetButtonText(const QPushButton* button)
{
#ifdef QM_FRAME_HAS_KIT
    if (auto* kitButton = qobject_cast<const NButtonBase*>(button))
        return kitButton->GetText();
#endif
    return button->text();
}

void SetButtonText(QPushButton* button, const QString& caption)
{
#ifdef QM_FRAME_HAS_KIT
    if (auto* kitButton = qobject_cast<NButtonBase*>(button))
    {
        kitButton->SetText(caption);
        return;
    }
#endif
    button->setText(caption.toUpper());
}

void PlayButtonOff()
{
    Record(QStringLiteral("button.off"));
#ifdef QM_FRAME_HAS_SOUND
    SoundManager::PlayButtonOff();
#endif
}

void PlayButtonOn()
{
    Record(QStringLiteral("button.on"));
#ifdef QM_FRAME_HAS_SOUND
    SoundManager::PlayButtonOn();
#endif
}

void PlayTakePicture()
{
    Record(QStringLiteral("take.picture"));
#ifdef QM_FRAME_HAS_SOUND
    SoundManager::PlayTakePicture();
#endif
}

void StopMenuMusic()
{
    Record(QStringLiteral("menu.stop"));
#ifdef QM_FRAME_HAS_SOUND
    SoundManager::StopMenuMusic();
#endif
}

QString GetTrack(const QString& name)
{
#ifdef QM_FRAME_HAS_SOUND
    // The sound service lists the media folder once; a file installed since is found on disk.
    const QString known = SoundManager::GetTrack(name);
    if (!known.isEmpty())
        return known;
#endif
    if (!PathManager::Exists())
        return QString();
    const QDir media(PathManager::Instance()->GetMediaDir());
    const QFileInfoList files = media.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
    {
        if (file.completeBaseName() == name)
            return file.absoluteFilePath();
    }
    return QString();
}

void SetSoundRecorder(std::function<void(const QString&)> recorder)
{
    g_recorder = std::move(recorder);
}

QWidget* CreateHLine(int height)
{
    auto* line = new QFrame();
    line->setFixedHeight(height);
    line->setStyleSheet(QStringLiteral("background-color: black; border: none;"));
    return line;
}
} // namespace FrameKit
