#include "korvel/layers/attribute_table.h"

#include "korvel/shell/status_progress.h"
#include "platform/file_helpers.h"
#include "platform/vb_numbers.h"
#include "platform/vb_runtime_errors.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <new>

namespace {

const AttributeValue NullValue;

AttributeTableRead failure(const QString& description)
{
    return { false, QStringLiteral("KORVEL encountered the following error:\r") + description };
}

QString quoted(const QString& name)
{
    return u'\'' + name + u'\'';
}

// The table's name as the user knows it: the layer's file name with "dbf"
// for its last three characters.
QString tableFileName(const GISLayer& layer)
{
    return layer.FileName.left(std::max<qsizetype>(0, layer.FileName.size() - 3)) + QStringLiteral("dbf");
}

// The locale's short date form, but never with a two-digit year: two dates a
// century apart would read alike and fall into one class.
QString shortDateFormat()
{
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return format;
}

// Clears the status text however the reading ends.
class StatusText
{
public:
    explicit StatusText(const QString& text) { statusProgress().setStatusText(text); }
    ~StatusText() { statusProgress().setStatusText(QString()); }
    StatusText(const StatusText&) = delete;
    StatusText& operator=(const StatusText&) = delete;
};

AttributeTableRead readTable(const GISLayer& layer, AttributeTable& table)
{
    const QString name = tableFileName(layer);
    const QString path = attributeTablePath(layer);
    if (path.isEmpty()) {
        return failure(QStringLiteral("%1 cannot be read: %2")
                           .arg(quoted(name), runtimeErrorDescription(RuntimeError::FileNotFound)));
    }
    const StatusText status(QStringLiteral("Reading dBase info..."));

    // Read from a private copy, so a file that another program holds open
    // or rewrites is never read while it changes.
    QString error;
    const std::unique_ptr<TemporaryCopy> copy = TemporaryCopy::create(path, &error);
    if (!copy) {
        return failure(QStringLiteral("%1 cannot be read: %2").arg(quoted(name), error));
    }
    const QFileInfo copyInfo(copy->path());
    DBaseDatabase database;
    if (!database.open(copyInfo.absolutePath(), &error)) {
        return failure(QStringLiteral("%1 cannot be read: %2").arg(quoted(name), error));
    }
    const std::unique_ptr<DBaseTable> file = database.openTable(copyInfo.fileName(), &error, name);
    if (!file) {
        return failure(error);
    }
    if (file->recordCount() == 0) {
        return failure(QStringLiteral("The attribute table %1 holds no records.").arg(quoted(name)));
    }

    AttributeTable read;
    read.FieldCount = file->fieldCount();
    read.FieldNames.reserve(read.FieldCount + 1);
    read.FieldNames.append(QString());
    for (int f = 0; f < read.FieldCount; ++f) {
        read.FieldNames.append(file->fieldName(f));
    }
    read.RecordCount = std::min(file->recordCount(), std::max(0, layer.ShapeCount()));
    if (!file->getRows(0, read.RecordCount, read.Values, &error)) {
        return failure(error);
    }
    file->close();
    database.close();
    table = std::move(read);
    return { true, QString() };
}

} // namespace

const AttributeValue& AttributeTable::value(int field, int record) const
{
    if (field < 0 || std::size_t(field) >= Values.size()) {
        return NullValue;
    }
    const auto& column = Values[std::size_t(field)];
    if (record < 0 || std::size_t(record) >= column.size()) {
        return NullValue;
    }
    return column[std::size_t(record)];
}

QString attributeTablePath(const GISLayer& layer)
{
    // The table takes the place of the last three characters of the path;
    // the layer files that have tables ("shp", "e00") all have three-letter
    // extensions, so this is the companion file of the extension "dbf".
    if (layer.Path.isEmpty()) {
        return QString();
    }
    return findCompanionFile(layer.Path, QStringLiteral("dbf"));
}

AttributeTableRead ReadDBFTable(const GISLayer& layer, AttributeTable& table)
{
    table = AttributeTable();
    try {
        return readTable(layer, table);
    } catch (const std::bad_alloc&) {
        table = AttributeTable();
        return failure(
            QStringLiteral("%1 is too large to read: out of memory.").arg(quoted(tableFileName(layer))));
    }
}

AttributeTableRead ReadDBFTable(int layerIndex, AttributeTable& table)
{
    const LayerData& layers = layerData();
    if (layerIndex < 1 || layerIndex > layers.GISCount) {
        table = AttributeTable();
        return failure(runtimeErrorDescription(RuntimeError::SubscriptOutOfRange));
    }
    return ReadDBFTable(layers.GISLayers[std::size_t(layerIndex)], table);
}

QString attributeValueText(const AttributeValue& value)
{
    struct Text
    {
        QString operator()(std::monostate) const { return QStringLiteral("Null"); }
        QString operator()(double number) const { return CStr(number); }
        QString operator()(const QString& text) const { return text; }
        QString operator()(const QDate& date) const
        {
            static const QString format = shortDateFormat();
            return QLocale::system().toString(date, format);
        }
        QString operator()(bool logical) const { return CStr(logical); }
    };
    return std::visit(Text {}, value);
}
