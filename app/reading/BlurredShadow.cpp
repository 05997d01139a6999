#include "app/reading/BlurredShadow.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumenscroll {

namespace {

// Coverage of a pixel that still counts at the blur radius from a fully covered one, of 255.
constexpr float reachAtRadius = 2.0f / 255.0f;
// From this radius the blur runs on a picture of half the size, as the platform's does.
constexpr qreal halvingRadius = 4.0;

// One line of `levels`, `count` long and `step` apart, blurred by an exponential fall-off run
// forwards and then back, each pixel taking `take` of its own level.
void blurLine(float* levels, int count, int step, float take) {
    float level = 0.0f;
    for (int i = 0; i < count; ++i) {
        float& value = levels[static_cast<std::ptrdiff_t>(i) * step];
        level += take * (value - level);
        value = level;
    }
    for (int i = count - 2; i >= 0; --i) {
        float& value = levels[static_cast<std::ptrdiff_t>(i) * step];
        level += take * (value - level);
        value = level;
    }
}

// The coverage of `image` (premultiplied, device pixels) blurred over `radius` pixels, black.
QImage blurredCoverage(const QImage& image, qreal radius) {
    const int width = image.width();
    const int height = image.height();
    const bool halve = radius >= halvingRadius && width >= 2 && height >= 2;
    const int factor = halve ? 2 : 1;
    const int w = width / factor;
    const int h = height / factor;
    std::vector<float> levels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    sum += qAlpha(line[x * factor + dx]);
                }
            }
            levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                static_cast<float>(sum) / static_cast<float>(factor * factor);
        }
    }
    const qreal scaledRadius = radius / factor;
    const float take =
        scaledRadius <= 1e-5 ? 1.0f : 1.0f - std::pow(reachAtRadius, 1.0f / static_cast<float>(scaledRadius));
    for (int y = 0; y < h; ++y) {
        blurLine(&levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)], w, 1, take);
    }
    for (int x = 0; x < w; ++x) {
        blurLine(&levels[static_cast<std::size_t>(x)], h, w, take);
    }

    QImage coverage(w, h, QImage::Format_Alpha8);
    for (int y = 0; y < h; ++y) {
        uchar* line = coverage.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const float level = levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                       static_cast<std::size_t>(x)];
            line[x] = static_cast<uchar>(std::clamp(std::lround(level), 0L, 255L));
        }
    }
    QImage blurred(width, height, QImage::Format_ARGB32_Premultiplied);
    blurred.fill(Qt::transparent);
    QPainter painter(&blurred);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, w * factor, h * factor), coverage);
    return blurred;
}

} // namespace

QImage blurredShadow(const QImage& image, qreal radius, const QColor& color) {
    QImage shadow = blurredCoverage(image, radius);
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shadow.rect(), color);
    return shadow;
}

} // namespace lumenscroll
