#pragma once

#include <QMap>
#include <QProgressBar>

// The picture-drawn progress bar of downloads and loading, in one of four chunk colours.
class NProgressBar final : public QProgressBar
{
    Q_OBJECT

public:
    enum ChunkColor
    {
        ChunkBlue = 0,
        ChunkGreen = 1,
        ChunkRed = 2,
        ChunkGray = 3
    };

    explicit NProgressBar(int chunkColor = ChunkBlue, QWidget* parent = nullptr);

    // Restyles the chunk; the value stays.
    void SetColor(int chunkColor);
    // Sets the value and repaints at once (callers on long loops don't return to the event loop).
    void SetValue(int value);

public slots:
    void DoValueChaned(int value);

private:
    QString m_barTemplate;
    QString m_chunkTemplate;
    QMap<int, QString> m_chunkPictures;
};
