#include "tests/support/pdf_reading.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>

namespace {

constexpr double TwipsPerPoint = 20.0;

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

double number(const QRegularExpressionMatch& match, const QString& name)
{
    return match.captured(name).toDouble() * TwipsPerPoint;
}

QString unescaped(const QString& html)
{
    QString text = html;
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

const PdfWord* PdfPage::find(const QString& text) const
{
    for (const PdfWord& word : words) {
        if (word.text == text) {
            return &word;
        }
    }
    return nullptr;
}

QString PdfPage::lineAt(double y, double tolerance) const
{
    std::vector<const PdfWord*> line;
    for (const PdfWord& word : words) {
        if (std::abs(word.box.top() - y) <= tolerance) {
            line.push_back(&word);
        }
    }
    std::sort(line.begin(), line.end(),
        [](const PdfWord* a, const PdfWord* b) { return a->box.left() < b->box.left(); });
    QStringList texts;
    for (const PdfWord* word : line) {
        texts << word->text;
    }
    return texts.join(u' ');
}

bool pdfToolsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

std::vector<PdfPage> readPdfWords(const QString& path)
{
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), path, QStringLiteral("-") }));
    static const QRegularExpression pageTag(
        QStringLiteral(R"re(<page width="(?<w>[\d.]+)" height="(?<h>[\d.]+)">)re"));
    static const QRegularExpression wordTag(QStringLiteral(
        R"re(<word xMin="(?<x0>[\d.-]+)" yMin="(?<y0>[\d.-]+)" xMax="(?<x1>[\d.-]+)" yMax="(?<y1>[\d.-]+)">(?<t>.*?)</word>)re"));
    std::vector<PdfPage> pages;
    for (const QString& line : html.split(u'\n')) {
        if (const QRegularExpressionMatch page = pageTag.match(line); page.hasMatch()) {
            pages.push_back({ number(page, QStringLiteral("w")), number(page, QStringLiteral("h")), {} });
        } else if (const QRegularExpressionMatch word = wordTag.match(line);
                   word.hasMatch() && !pages.empty()) {
            pages.back().words.push_back({ unescaped(word.captured(QStringLiteral("t"))),
                QRectF(QPointF(number(word, QStringLiteral("x0")), number(word, QStringLiteral("y0"))),
                    QPointF(number(word, QStringLiteral("x1")), number(word, QStringLiteral("y1")))) });
        }
    }
    return pages;
}

std::vector<PdfPage> readPdfWords(const QByteArray& pdf)
{
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size()) {
        return {};
    }
    file.close();
    return readPdfWords(file.fileName());
}

QString readPdfLayout(const QString& path, int page)
{
    const QString number = QString::number(page);
    return QString::fromUtf8(run(QStringLiteral("pdftotext"),
        { QStringLiteral("-layout"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, path,
            QStringLiteral("-") }));
}

QImage renderPdfPage(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString number = QString::number(page);
    const QString stem = dir.path() + QStringLiteral("/page");
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number,
            QStringLiteral("-l"), number, QStringLiteral("-singlefile"), path, stem });
    return QImage(stem + QStringLiteral(".png"));
}
