#include "helper_dialogs.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "CoreUI.h"
#include "FrameKit.h"
#include "GuiManager.h"
#include "MainWindow.h"
#include "PageManager.h"
#include "helper_pages.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

DialogHost::DialogHost()
{
    AppSettingsMain::Instance()->ShowIntroMovie = false;
    // The smallest window, as an earlier start left it (a first start covers the small test screen).
    AppSettingsMain::Instance()->WindowPos = QPoint(0, 0);
    // The interface's start-up update check talks only to a test server, or to nobody.
    AppDefines* defines = AppDefines::Instance();
    if (!defines->GetWebBaseAddress().startsWith(QLatin1String("http://127.0.0.1:")))
        defines->SetWebBaseAddress(QString());
    TestUi::Start();
    CoreUI::Start();
    MainWindow* window = MainWindow::Instance();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowExposed(window))
        qWarning() << "DialogHost :: main window not exposed";
    FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
}

DialogHost::~DialogHost()
{
    TestUi::Stop();
}

void DialogHost::Open(NModalWidget* dialog)
{
    m_dialog = dialog;
    PageManager::Instance()->DoPageModalClick(dialog);
    QCoreApplication::processEvents();
    m_sounds.clear();
}

bool DialogHost::IsOpen() const
{
    return m_dialog && PageManager::Instance()->GetCurrentPageId() == ID_MODAL && m_dialog->isVisible();
}

QWidget* DialogHost::Focus() const
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus : MainWindow::Instance();
}

void DialogHost::Key(int key)
{
    QTest::keyClick(Focus(), Qt::Key(key), Qt::NoModifier);
    QCoreApplication::processEvents();
}

void DialogHost::Type(const QString& text)
{
    QTest::keyClicks(Focus(), text);
}

void DialogHost::Click(QWidget* widget)
{
    if (!widget || !widget->isVisible())
    {
        qWarning() << "DialogHost :: nothing visible to click";
        return;
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    QCoreApplication::processEvents();
}

void DialogHost::DoubleClick(QWidget* widget, const QPoint& at)
{
    // As a real double click arrives: press, release, double-click, release.
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents();
}

QList<QPushButton*> ButtonsWith(QWidget* dialog, const char* name)
{
    QList<QPushButton*> buttons;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
    {
        if (button->property(name).isValid())
            buttons << button;
    }
    std::sort(buttons.begin(), buttons.end(),
              [dialog](QPushButton* a, QPushButton* b)
              {
                  const QPoint pa = a->mapTo(dialog, QPoint(0, 0));
                  const QPoint pb = b->mapTo(dialog, QPoint(0, 0));
                  return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
              });
    return buttons;
}
