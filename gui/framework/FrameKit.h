#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

// The few widget-kit and sound services the page frame uses, in one place: captions, buttons,
// interface sounds and the media lookup. Tests can watch the sound requests.
namespace FrameKit
{
QLabel* CreateLabel(int fontKind, const QString& text, const QColor& color);
void SetLabelText(QLabel* label, const QString& text);

// ButtonColor as the kit numbers it (2 = blue).
QPushButton* CreateModalButton(int color, const QString& caption);
QPushButton* CreateMenuButton(int color, const QString& caption);
void SetButtonText(QPushButton* button, const QString& caption);
QString GetButtonText(const QPushButton* button);

void PlayButtonOff();
void PlayButtonOn();
void PlayTakePicture();
void StopMenuMusic();
// The media file of a named track ("introduction"), empty when there is none.
QString GetTrack(const QString& name);

// Every sound request is also handed to the recorder (tests).
void SetSoundRecorder(std::function<void(const QString&)> recorder);

// A black horizontal line of the given height.
QWidget* CreateHLine(int height);
} // namespace FrameKit
