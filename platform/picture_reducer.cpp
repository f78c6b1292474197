#include "platform/picture_reducer.h"

#include <QSemaphore>
#include <QThreadPool>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Source pixel s falls on target pixel floor(s * targetLength / sourceLength);
// returns the first source pixel of target pixel `index`.
qint64 firstSourceOf(qint64 index, qint64 sourceLength, qint64 targetLength)
{
    return (index * sourceLength + targetLength - 1) / targetLength;
}

// A pixel's four bytes spread to 16-bit lanes (red, blue, green, alpha from
// the low end), so that pixels add up four channels at a time: 257 pixels
// at most before a lane could overflow.
quint64 spread(quint32 pixel)
{
    return (pixel & 0x00ff00ffu) | (quint64(pixel & 0xff00ff00u) << 24);
}

constexpr qint64 kPixelsPerSum = 257;
constexpr quint64 kLowLanes = 0x0000ffff0000ffffull; // red and green of spread sums

// The mean of `pixels` spread pixels summed in `lanes` as Qt's pixel, with
// `half` = pixels / 2 and `inverse` = 2^16 / pixels rounded up: red and
// green, then blue and alpha, are divided two at a time in 32-bit lanes of a
// product that cannot carry from one into the other (the sums are at most
// 255 x 257). Exact for up to 16 pixels, and at most 1 over beyond.
quint32 meanPixel(quint64 lanes, quint64 half, quint64 inverse)
{
    const quint64 halves = half * 0x0000000100000001ull;
    const quint64 redGreen = (((lanes & kLowLanes) + halves) * inverse) >> 16;
    const quint64 blueAlpha = ((((lanes >> 16) & kLowLanes) + halves) * inverse) >> 16;
    return quint32(((blueAlpha >> 8) & 0xff000000u) | ((redGreen & 0xff) << 16) | ((redGreen >> 24) & 0xff00)
        | (blueAlpha & 0xff));
}

// libtiff's red-first bytes as Qt's pixel: alpha, red, green, blue from the
// high end.
quint32 toQtPixel(quint32 pixel)
{
    return (pixel & 0xff00ff00u) | ((pixel & 0xffu) << 16) | ((pixel >> 16) & 0xffu);
}

// A share of fewer columns, or of fewer pixels of the file, is not worth a
// thread.
constexpr int kColumnsPerShare = 512;
constexpr qint64 kPixelsPerShare = 64 * 1024;
constexpr unsigned kMostShares = 8;

} // namespace

QSize reducedSize(QSize size, qint64 maxBytes)
{
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes <= maxBytes) {
        return size;
    }
    const double factor = std::sqrt(double(maxBytes) / double(bytes));
    // A picture one pixel high keeps that row and gives up width instead.
    const qint64 pixels = qMax<qint64>(1, maxBytes / 4);
    const qint64 width = qBound<qint64>(1, qint64(size.width() * factor), qMin<qint64>(size.width(), pixels));
    const qint64 height
        = qBound<qint64>(1, qint64(size.height() * factor), qMin<qint64>(size.height(), pixels / width));
    return { int(width), int(height) };
}

PictureReducer::PictureReducer(QSize source, QImage& target)
    : m_source(source)
    , m_targetSize(target.size())
    , m_bits(target.bits())
    , m_bytesPerLine(target.bytesPerLine())
    , m_opaque(!target.hasAlphaChannel())
    , m_sameSize(source == target.size())
    , m_fewestColumns(source.width() / target.width())
    , m_fewestRows(source.height() / target.height())
{
    // Where a target pixel takes more source pixels than a 16-bit lane
    // holds, each channel has its own sum.
    m_wide = qint64(m_fewestColumns + 1) * (m_fewestRows + 1) > kPixelsPerSum;
    const int width = target.width();
    m_shares = std::clamp<size_t>(
        std::min(std::thread::hardware_concurrency(), kMostShares), 1, size_t(width / kColumnsPerShare + 1));
    m_columnStart.resize(size_t(width) + 1);
    m_columnWider.resize(size_t(width));
    for (int x = 0; x <= width; ++x) {
        m_columnStart[size_t(x)] = int(firstSourceOf(x, source.width(), width));
    }
    for (size_t x = 0; x < m_columnWider.size(); ++x) {
        m_columnWider[x] = quint8(m_columnStart[x + 1] - m_columnStart[x] - m_fewestColumns);
    }
    // Narrow sums are divided by 2^16 / pixels, wide ones by 2^32 / pixels.
    const int shift = m_wide ? 32 : 16;
    for (size_t wider = 0; wider < 2; ++wider) {
        for (size_t taller = 0; taller < 2; ++taller) {
            const quint64 pixels
                = quint64(m_fewestColumns + int(wider)) * quint64(m_fewestRows + int(taller));
            m_pixels[wider][taller] = pixels;
            m_inverse[wider][taller] = ((quint64(1) << shift) + pixels - 1) / pixels;
        }
    }
    m_sums.assign(size_t(width) * (m_wide ? 4 : 1), 0);
    m_done.nextTargetStart = firstSourceOf(1, source.height(), target.height());
}

quint32* PictureReducer::targetRow(int row) const
{
    return reinterpret_cast<quint32*>(m_bits + row * m_bytesPerLine);
}

void PictureReducer::addRows(const quint32* rows, int count, qsizetype stride)
{
    const size_t width = size_t(m_targetSize.width());
    const size_t shares
        = std::clamp<size_t>(size_t(qint64(count) * m_source.width() / kPixelsPerShare), 1, m_shares);
    const auto share = [&](size_t index, RowsDone& done) {
        addColumns(done, width * index / shares, width * (index + 1) / shares, rows, count, stride);
    };
    // Each share of the columns goes through the same rows; the first is
    // added here while the pool's threads add the others.
    QSemaphore finished;
    for (size_t index = 1; index < shares; ++index) {
        QThreadPool::globalInstance()->start([&, index] {
            RowsDone done = m_done;
            share(index, done);
            finished.release();
        });
    }
    RowsDone done = m_done;
    share(0, done);
    finished.acquire(int(shares - 1));
    m_done = done;
}

void PictureReducer::addColumns(
    RowsDone& done, size_t first, size_t end, const quint32* rows, int count, qsizetype stride)
{
    for (int r = 0; r < count && done.target < m_targetSize.height(); ++r) {
        const quint32* row = rows + r * stride;
        if (m_sameSize) {
            std::transform(row + first, row + end, targetRow(done.target++) + first, toQtPixel);
            continue;
        }
        if (m_wide) {
            sumWide(row, first, end);
        } else {
            sumNarrow(row, first, end);
        }
        ++done.summed;
        if (++done.source == done.nextTargetStart) {
            finishTargetRow(done, first, end);
            done.summed = 0;
            ++done.target;
            done.nextTargetStart = firstSourceOf(done.target + 1, m_source.height(), m_targetSize.height());
        }
    }
}

// Every column takes its fewest pixels, and the wider ones one more, added
// without a branch: columns of one and two pixels alternate at random.
void PictureReducer::sumNarrow(const quint32* row, size_t first, size_t end)
{
    const int* start = m_columnStart.data();
    const quint8* wider = m_columnWider.data();
    const int fewest = m_fewestColumns;
    // The pixel after the last column's is not the row's any more.
    const size_t last = m_columnWider.size() - 1;
    quint64* sums = m_sums.data();
    for (size_t x = first; x < std::min(end, last); ++x) {
        const quint32* pixel = row + start[x];
        quint64 sum = 0;
        for (int i = 0; i < fewest; ++i) {
            sum += spread(pixel[i]);
        }
        // The next column's first pixel where this column is not wider.
        sums[x] += sum + (spread(pixel[fewest]) & (0 - quint64(wider[x])));
    }
    if (end > last) {
        for (int s = start[last]; s < start[last + 1]; ++s) {
            sums[last] += spread(row[s]);
        }
    }
}

void PictureReducer::sumWide(const quint32* row, size_t first, size_t end)
{
    quint64* sums = m_sums.data() + 4 * first;
    for (size_t x = first; x < end; ++x, sums += 4) {
        for (int s = m_columnStart[x]; s < m_columnStart[x + 1]; ++s) {
            sums[0] += row[s] & 0xff;
            sums[1] += (row[s] >> 8) & 0xff;
            sums[2] += (row[s] >> 16) & 0xff;
            sums[3] += row[s] >> 24;
        }
    }
}

void PictureReducer::finishTargetRow(const RowsDone& done, size_t first, size_t end)
{
    quint32* out = targetRow(done.target);
    // Opaque pictures keep their alpha byte full, as Format_RGB32 requires.
    const quint32 opaque = m_opaque ? 0xff000000u : 0;
    const size_t taller = size_t(done.summed - m_fewestRows);
    const quint64 inverse[2] = { m_inverse[0][taller], m_inverse[1][taller] };
    const quint64 half[2] = { m_pixels[0][taller] / 2, m_pixels[1][taller] / 2 };
    const quint8* wider = m_columnWider.data();
    if (m_wide) {
        quint64* sums = m_sums.data() + 4 * first;
        for (size_t x = first; x < end; ++x, sums += 4) {
            const auto mean
                = [&](quint64 sum) { return uint(((sum + half[wider[x]]) * inverse[wider[x]]) >> 32); };
            out[x] = qRgba(mean(sums[0]), mean(sums[1]), mean(sums[2]), mean(sums[3])) | opaque;
            std::fill_n(sums, 4, 0);
        }
        return;
    }
    quint64* sums = m_sums.data();
    for (size_t x = first; x < end; ++x) {
        out[x] = meanPixel(sums[x], half[wider[x]], inverse[wider[x]]) | opaque;
        sums[x] = 0;
    }
}
