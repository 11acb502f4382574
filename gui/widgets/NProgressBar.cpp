#include "NProgressBar.h"

#include "Common.h"

NProgressBar::NProgressBar(int chunkColor, QWidget* parent)
    : QProgressBar(parent),
      m_barTemplate(
          QStringLiteral("QProgressBar{border-image:\turl(:/Progress/progress_back.png) 3 3 3 "
                         "3;border-top:\t3px transparent;border-bottom:\t3px transparent;border-right:\t3px "
                         "transparent;border-left:\t3px transparent;padding:\t\t-2px;}%1")),
      m_chunkTemplate(
          QStringLiteral("QProgressBar::chunk:horizontal{border-image:\turl(:/Progress/%1.png) 2 2 2 "
                         "2;border-top:\t2px transparent;border-bottom:\t2px "
                         "transparent;border-right:\t2px transparent;border-left:\t2px transparent;}")),
      m_chunkPictures({{ChunkBlue, QStringLiteral("progress_chunk_blue")},
                       {ChunkGreen, QStringLiteral("progress_chunk_green")},
                       {ChunkRed, QStringLiteral("progress_chunk_red")},
                       {ChunkGray, QStringLiteral("progress_chunk_gray")}})
{
    setTextVisible(false);
    SetColor(chunkColor);
    setRange(0, 100);
    setValue(0);
    setFixedHeight(Common::Scale(11));
    connect(this, &QProgressBar::valueChanged, this, &NProgressBar::DoValueChaned);
}

void NProgressBar::SetColor(int chunkColor)
{
    setStyleSheet(m_barTemplate.arg(m_chunkTemplate.arg(m_chunkPictures.value(chunkColor))));
}

void NProgressBar::SetValue(int value)
{
    setValue(value);
    repaint();
}

void NProgressBar::DoValueChaned(int)
{
    update();
}
