#include "FrameKit.h"

#include "GuiMetrics.h"
#include "PathManager.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "NButtonBase.h"
#include "NImageLabel.h"

#include "SoundManager.h"

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
    return new NImageLabel(fontKind, text, color);
}

void SetLabelText(QLabel* label, const QString& text)
{
    if (auto* imageLabel = qobject_cast<NImageLabel*>(label))
    {
        imageLabel->SetText(text);
        return;
    }
    label->setText(text);
}

QPushButton* CreateModalButton(int color, const QString& caption)
{
    auto* button = new NButtonModal(color, true);
    button->SetText(caption);
    button->SetMinimumWidth(GuiButtonMinWidth);
    // Let the caption set its width before any layout places the button.
    button->Relayout();
    return button;
}

QPushButton* CreateMenuButton(int color, const QString& caption)
{
    auto* button = new NButtonMenu(color, true);
    button->SetText(caption);
    button->SetMinimumWidth(GuiButtonMinWidth);
    // Let the caption set its width before any layout places the button.
    button->Relayout();
    return button;
}

QString GetButtonText(const QPushButton* button)
{
    if (auto* kitButton = qobject_cast<const NButtonBase*>(button))
        return kitButton->GetText();
    return button->text();
}

void SetButtonText(QPushButton* button, const QString& caption)
{
    if (auto* kitButton = qobject_cast<NButtonBase*>(button))
    {
        kitButton->SetText(caption);
        return;
    }
    button->setText(caption.toUpper());
}

void PlayButtonOff()
{
    Record(QStringLiteral("button.off"));
    SoundManager::PlayButtonOff();
}

void PlayButtonOn()
{
    Record(QStringLiteral("button.on"));
    SoundManager::PlayButtonOn();
}

void PlayTakePicture()
{
    Record(QStringLiteral("take.picture"));
    SoundManager::PlayTakePicture();
}

void StopMenuMusic()
{
    Record(QStringLiteral("menu.stop"));
    SoundManager::StopMenuMusic();
}

QString GetTrack(const QString& name)
{
    // The sound service lists the media folder once; a file installed since is found on disk.
    const QString known = SoundManager::GetTrack(name);
    if (!known.isEmpty())
        return known;
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
