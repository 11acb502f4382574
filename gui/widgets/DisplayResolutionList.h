#pragma once

#include "Singleton.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

// A fixed catalogue of common screen resolutions with their aspect ratio texts. The settings page
// steps through the resolutions of the screen's own ratio that fit the screen.
class DisplayResolutionList final : public QObject, public Singleton<DisplayResolutionList>
{
    Q_OBJECT
    friend class Singleton<DisplayResolutionList>;

public:
    // The ratio text of a listed size, else tr("Custom").
    QString GetRatioText(const QSize& size) const;
    // The screen size and its ratio when the screen is listed, else 1024 x 768 and tr("Custom").
    QString GetCurrentResolution(QSize& size) const;
    // Steps `size` to the next larger (or previous smaller) listed size of the screen's ratio that
    // fits the screen, wrapping round at either end; an unlisted size becomes the current one.
    // Returns the new size's ratio, or tr("Custom") with `size` unchanged when there is none.
    QString GetNextResolution(QSize& size) const;
    QString GetPreviousResolution(QSize& size) const;

    // Where the screen size comes from (the real screen unless a test pretends another); the
    // screen's ratio is taken anew from it.
    void SetScreenSizeSource(std::function<QSize()> source);

private:
    DisplayResolutionList();
    ~DisplayResolutionList() override;

    static QString SizeKey(const QSize& size);
    void AppendResolution(const QSize& size, const QString& ratio);
    void ReadScreen();
    QString Step(QSize& size, bool larger) const;

    QMap<QString, QSize> m_sizes;
    QMap<QString, QString> m_ratios;
    // The catalogue by width, then height: the order in which the steps walk.
    QList<QSize> m_bySize;
    QString m_screenKey;
    QString m_screenRatio;
    std::function<QSize()> m_screenSource;
};
