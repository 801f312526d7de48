#include "Gallery.h"

#include "Colors.h"

#include <QWidget>

#include <algorithm>

namespace kyt::gallery {

namespace {

std::vector<Shot>& registry()
{
    static std::vector<Shot> all;
    return all;
}

} // namespace

bool add(std::vector<Shot> shots)
{
    auto& all = registry();
    for (auto& s : shots)
        all.push_back(std::move(s));
    return true;
}

std::vector<Shot> shots()
{
    std::vector<Shot> sorted = registry();
    std::stable_sort(
        sorted.begin(), sorted.end(), [](const Shot& a, const Shot& b) { return a.name < b.name; });
    return sorted;
}

QImage grab(QWidget& w)
{
    w.ensurePolished();
    QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(toQColor(clBtnFace));
    // The controls paint like windowless ones, over what lies beneath them.
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

} // namespace kyt::gallery
