#include "DisplayResolutionList.h"

#include "Common.h"

#include <algorithm>

DisplayResolutionList::DisplayResolutionList() : m_screenSource(&Common::GetScreenSize)
{
    const struct
    {
        int width;
        int height;
        const char* ratio;
    } catalogue[] = {
        {640, 480, "4:3"},     {800, 600, "4:3"},     {1024, 768, "4:3"},   {1152, 864, "4:3"},
        {1280, 720, "16:9"},   {1280, 768, "5:3"},    {1280, 800, "16:10"}, {1280, 960, "4:3"},
        {1280, 1024, "5:4"},   {1360, 768, "~16:9"},  {1366, 768, "16:9"},  {1400, 1050, "4:3"},
        {1440, 900, "16:10"},  {1600, 900, "16:9"},   {1600, 1200, "4:3"},  {1680, 1050, "16:10"},
        {1920, 1080, "16:9"},  {1920, 1200, "16:10"}, {2048, 1152, "16:9"}, {2560, 1440, "16:9"},
        {2560, 1600, "16:10"}, {2880, 1800, "16:10"}};
    for (const auto& entry : catalogue)
        AppendResolution(QSize(entry.width, entry.height), QString::fromLatin1(entry.ratio));
    m_bySize = m_sizes.values();
    // Keys sort as text ("640 480" after "2880 1800"); the steps need the sizes' own order.
    std::sort(m_bySize.begin(), m_bySize.end(),
              [](const QSize& a, const QSize& b)
              { return a.width() != b.width() ? a.width() < b.width() : a.height() < b.height(); });
    ReadScreen();
}

DisplayResolutionList::~DisplayResolutionList() = default;

QString DisplayResolutionList::SizeKey(const QSize& size)
{
    return QStringLiteral("%1 %2").arg(size.width()).arg(size.height());
}

void DisplayResolutionList::AppendResolution(const QSize& size, const QString& ratio)
{
    m_sizes.insert(SizeKey(size), size);
    m_ratios.insert(SizeKey(size), ratio);
}

void DisplayResolutionList::ReadScreen()
{
    m_screenKey = SizeKey(m_screenSource());
    m_screenRatio = GetRatioText(m_sizes.value(m_screenKey, QSize(-1, -1)));
}

void DisplayResolutionList::SetScreenSizeSource(std::function<QSize()> source)
{
    m_screenSource = source ? std::move(source) : std::function<QSize()>(&Common::GetScreenSize);
    ReadScreen();
}

QString DisplayResolutionList::GetRatioText(const QSize& size) const
{
    return m_ratios.value(SizeKey(size), tr("Custom"));
}

QString DisplayResolutionList::GetCurrentResolution(QSize& size) const
{
    if (!m_sizes.contains(m_screenKey))
    {
        size = QSize(1024, 768);
        return tr("Custom");
    }
    size = m_sizes.value(m_screenKey);
    return m_screenRatio;
}

QString DisplayResolutionList::GetNextResolution(QSize& size) const
{
    return Step(size, true);
}

QString DisplayResolutionList::GetPreviousResolution(QSize& size) const
{
    return Step(size, false);
}

QString DisplayResolutionList::Step(QSize& size, bool larger) const
{
    if (!m_sizes.contains(SizeKey(size)))
        return GetCurrentResolution(size);
    const QSize screen = m_screenSource();
    const QSize from = size;
    const auto qualifies = [&](const QSize& c)
    {
        return c.width() <= screen.width() && c.height() <= screen.height() &&
               m_ratios.value(SizeKey(c)) == m_screenRatio;
    };
    const auto isLarger = [&](const QSize& c)
    { return c.width() > from.width() && c.height() > from.height(); };
    const auto isSmaller = [&](const QSize& c)
    { return c.width() < from.width() && c.height() < from.height(); };

    QList<QSize> order = m_bySize;
    if (!larger)
        std::reverse(order.begin(), order.end());
    // The nearest one in the asked direction; past the end, the walk starts again at the other end.
    for (const bool wantLarger : {larger, !larger})
    {
        for (const QSize& candidate : order)
        {
            if (qualifies(candidate) && (wantLarger ? isLarger(candidate) : isSmaller(candidate)))
            {
                size = candidate;
                return m_ratios.value(SizeKey(candidate));
            }
        }
    }
    return tr("Custom");
}
