#pragma once
// A picture made smaller while it is decoded: the file's rows go in a band
// at a time, top first, and each pixel of the smaller picture is the mean of
// the file's pixels that fall on it (a box filter). Only the smaller picture
// and one row of sums are held, never the file's whole picture, so a
// picture larger than memory allows is read at the size that fits. The
// columns are shared out among the processor's cores.
#include <QImage>
#include <QSize>
#include <array>
#include <vector>

// The size to decode a picture at: its own, or the largest of about the same
// shape whose pixels fit maxBytes at four bytes a pixel.
QSize reducedSize(QSize size, qint64 maxBytes);

class PictureReducer
{
public:
    // What the reducer holds for each column of the target besides it.
    static constexpr qint64 BytesPerColumn = 4 * 8 + 4 + 1;

    // `target` is allocated at its size (no larger than `source` either
    // way), as Format_RGB32 or Format_ARGB32_Premultiplied; the reducer
    // fills it row by row.
    PictureReducer(QSize source, QImage& target);

    // The next `count` of the file's rows, each source.width() pixels and
    // `stride` pixels after the one before, packed as libtiff's colour
    // conversion gives them: red in the low byte and alpha, by which the
    // colours are already multiplied, in the high one.
    void addRows(const quint32* rows, int count, qsizetype stride);

private:
    // Where the rows have come to: the same in every share of the columns.
    struct RowsDone
    {
        int source = 0;
        int target = 0;
        int summed = 0;
        qint64 nextTargetStart = 0;
    };
    void addColumns(
        RowsDone& done, size_t first, size_t end, const quint32* rows, int count, qsizetype stride);
    void sumNarrow(const quint32* row, size_t first, size_t end);
    void sumWide(const quint32* row, size_t first, size_t end);
    void finishTargetRow(const RowsDone& done, size_t first, size_t end);
    quint32* targetRow(int row) const;

    QSize m_source;
    QSize m_targetSize;
    uchar* m_bits;
    qsizetype m_bytesPerLine;
    bool m_opaque;
    bool m_sameSize;
    bool m_wide;
    int m_fewestColumns;
    int m_fewestRows;
    size_t m_shares;
    std::vector<int> m_columnStart; // the first source column of each target column, and the width
    std::vector<quint8> m_columnWider; // 1 where a target column takes one source column more
    // Per target column, the sums of its pixels' red, blue, green and alpha
    // in 16-bit lanes of one number, or in four where that is too narrow.
    std::vector<quint64> m_sums;
    // The source pixels a target pixel takes, and its inverse (the mean is
    // a product), by whether its column and its row take one source pixel
    // more than the fewest.
    std::array<std::array<quint64, 2>, 2> m_pixels {};
    std::array<std::array<quint64, 2>, 2> m_inverse {};
    RowsDone m_done;
};
