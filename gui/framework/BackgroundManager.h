#pragma once

#include "Singleton.h"

#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>

class QPainter;
class QTimer;

// The picture behind all pages: on the main menu a plain picture that changes every 25 seconds,
// elsewhere the same picture's unfocused variant under a dark veil, always in a framed border.
// Renders into a cached pixmap of the window size that the main window draws on every paint.
class BackgroundManager : public QObject, public Singleton<BackgroundManager>
{
    Q_OBJECT
    friend class Singleton<BackgroundManager>;

public:
    static constexpr int ChangeIntervalMs = 25 * 1000;

    void StartTimer();
    void StopTimer();
    bool IsTimerActive() const;

    bool SelectNextPicture();
    void SetDimmed() { m_veilAlpha = 200; }
    void ClearDim() { m_veilAlpha = 0; }
    void UpdateBackground(bool unfocused);
    void Resize(const QSize& size);
    void Draw(QPainter* painter) const;

    // The current game's picture folder; another folder can be read instead (tests).
    static QString PictureFolder();
    void LoadPicturesPaths(const QString& folder);

    QString GetCurrentName() const { return m_currentName; }
    int GetVeilAlpha() const { return m_veilAlpha; }
    QStringList GetPictureNames() const { return m_pictures.keys(); }
    const QPixmap& GetCurrentPicture() const { return m_picture; }
    const QPixmap& GetCache() const { return m_cache; }

signals:
    void OnUpdateBackground();

public slots:
    void DoChangeBack();

private:
    BackgroundManager();
    ~BackgroundManager() override;

    void Render(const QSize& size);
    void Paint(QPainter* painter, const QSize& size) const;

    QPixmap m_picture;
    QPixmap m_cache;
    QString m_currentName;
    int m_veilAlpha = -1;
    QTimer* m_timer = nullptr;
    QMap<QString, QString> m_pictures;
};
