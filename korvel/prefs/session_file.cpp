#include "korvel/prefs/session_file.h"

#include "platform/complete_lines.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"

namespace {

constexpr int kMaxCount = 255;
constexpr int kLastZone = 60;
constexpr int kLastCheckState = 2;
const QString kGISZonesTag = QStringLiteral("GIS zones");

bool isUtmZone(int zone)
{
    return zone >= 1 && zone <= kLastZone;
}

// A value the reader took in but the session cannot use.
class OutOfRange final : public std::exception
{
public:
    OutOfRange(QString text, int line)
        : m_text(std::move(text))
        , m_line(line)
    {
    }
    const QString& text() const { return m_text; }
    int line() const { return m_line; }

private:
    QString m_text;
    int m_line;
};

// The session's reader: line() is the line of the field read last, for
// the message when the file does not read.
class FieldReader
{
public:
    explicit FieldReader(SequentialReader& in)
        : m_in(in)
    {
    }
    int line() const { return m_in.fieldLine(); }

    QString text() { return m_in.readText(); }
    qint32 number() { return m_in.readLong(); }
    int integer() { return m_in.readInteger(); }
    // A byte cannot exceed 255: larger raises Overflow.
    int count() { return m_in.readByte(); }
    bool boolean() { return m_in.readBoolean(); }
    double real() { return m_in.readDouble(); }
    QString wholeLine() { return m_in.readLine(); }

private:
    SequentialReader& m_in;
};

int readCheckState(FieldReader& in)
{
    const int value = in.integer();
    if (value < 0 || value > kLastCheckState) {
        throw OutOfRange(QStringLiteral("Tick state %1 is not 0, 1 or 2").arg(value), in.line());
    }
    return value;
}

int readZone(FieldReader& in)
{
    const int zone = in.count();
    if (!isUtmZone(zone)) {
        throw OutOfRange(QStringLiteral("Zone %1 is not a UTM zone (1 to 60)").arg(zone), in.line());
    }
    return zone;
}

// The lines up to the separator: the layers' zones when the file holds
// them; any other line is passed over.
void readUntilSeparator(FieldReader& in, SessionFile& session)
{
    for (QString line = in.wholeLine(); line != SessionSeparator; line = in.wholeLine()) {
        if (line == kGISZonesTag) {
            for (SessionGISEntry& layer : session.GISLayers) {
                layer.Zone = readZone(in);
            }
        }
    }
}

SessionFile readBody(FieldReader& in)
{
    SessionFile session;
    session.UTMMode = in.boolean();
    for (int n = in.count(); n > 0; --n) {
        session.Images << in.text();
    }
    for (int n = in.count(); n > 0; --n) {
        SessionGISEntry entry;
        entry.Path = in.text();
        entry.Colour = in.number();
        entry.Thickness = in.count();
        session.GISLayers.push_back(entry);
    }
    for (int n = in.count(); n > 0; --n) {
        SessionBlockEntry block;
        block.Path = in.text();
        block.Colour = in.number();
        block.Thickness = in.count();
        block.GuidanceLoaded = in.integer() != 0;
        block.ExclusionLoaded = in.integer() != 0;
        for (int f = in.count(); f > 0; --f) {
            block.Flights << in.text();
        }
        session.Blocks.push_back(block);
    }
    for (double& edge : session.Extent) {
        edge = in.real();
    }
    session.Zone = readZone(in);
    session.NorthZone = in.boolean();
    session.EllipsoidName = in.text();
    // A file written before the layers' zones were kept gives every layer
    // the session's zone, as it was loaded then.
    for (SessionGISEntry& layer : session.GISLayers) {
        layer.Zone = session.Zone;
    }
    readUntilSeparator(in, session);
    const int rows = session.rowCount();
    session.CheckStates.reserve(size_t(rows));
    for (int k = 0; k < rows; ++k) {
        session.CheckStates.push_back(readCheckState(in));
    }
    return session;
}

bool holdsLineBreakOrQuote(const QString& text)
{
    return text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

int SessionFile::rowCount() const
{
    int rows = int(Images.size()) + int(GISLayers.size()) + int(Blocks.size());
    for (const SessionBlockEntry& block : Blocks) {
        rows += block.subRowCount();
    }
    return rows;
}

QByteArray sessionFileBytes(const SessionFile& session)
{
    SequentialWriter out;
    out.printLine(SessionMagic);
    out.writeLine({ session.UTMMode });
    out.writeLine({ int(session.Images.size()) });
    for (const QString& path : session.Images) {
        out.writeLine({ path });
    }
    out.writeLine({ int(session.GISLayers.size()) });
    for (const SessionGISEntry& layer : session.GISLayers) {
        out.writeLine({ layer.Path, int(layer.Colour), layer.Thickness });
    }
    out.writeLine({ int(session.Blocks.size()) });
    for (const SessionBlockEntry& block : session.Blocks) {
        out.writeLine({ block.Path, int(block.Colour), block.Thickness });
        out.writeLine({ block.GuidanceLoaded ? 1 : 0 });
        out.writeLine({ block.ExclusionLoaded ? 1 : 0 });
        out.writeLine({ int(block.Flights.size()) });
        for (const QString& flight : block.Flights) {
            out.writeLine({ flight });
        }
    }
    for (int box = 0; box < 4; ++box) {
        if (box > 0) {
            out.nextZone();
        }
        out.print(session.ExtentTexts[size_t(box)]);
    }
    out.endLine();
    out.writeLine({ session.Zone, session.NorthZone, session.EllipsoidName });
    if (!session.GISLayers.empty()) {
        out.printLine(kGISZonesTag);
        for (const SessionGISEntry& layer : session.GISLayers) {
            out.writeLine({ layer.Zone });
        }
    }
    out.printLine(SessionSeparator);
    for (int state : session.CheckStates) {
        out.writeLine({ state });
    }
    return out.bytes();
}

QString sessionFileRefusal(const SessionFile& session)
{
    QStringList texts = session.Images;
    for (const SessionGISEntry& layer : session.GISLayers) {
        texts << layer.Path;
    }
    for (const SessionBlockEntry& block : session.Blocks) {
        texts << block.Path << block.Flights;
        if (block.Flights.size() > kMaxCount) {
            return QStringLiteral("The block \"%1\" holds more than 255 spray data files, "
                                  "more than a session file can list.")
                .arg(block.Path);
        }
    }
    for (const QString& text : texts) {
        if (holdsLineBreakOrQuote(text)) {
            return QStringLiteral("The path \"%1\" holds a double quote or a line break, "
                                  "which a session file cannot keep.\rRename the file, load it again "
                                  "and save the session then.")
                .arg(text);
        }
    }
    if (holdsLineBreakOrQuote(session.EllipsoidName)) {
        return QStringLiteral("The ellipsoid name \"%1\" holds a double quote or a line break, "
                              "which a session file cannot keep.")
            .arg(session.EllipsoidName);
    }
    if (session.Images.size() > kMaxCount || session.GISLayers.size() > size_t(kMaxCount)
        || session.Blocks.size() > size_t(kMaxCount)) {
        return QStringLiteral("A session file lists at most 255 images, GIS layers and blocks each.");
    }
    if (!isUtmZone(session.Zone)) {
        return QStringLiteral("The map's zone %1 is not a UTM zone (1 to 60): choose the zone in "
                              "Preferences and save the session then.")
            .arg(session.Zone);
    }
    for (const SessionGISEntry& layer : session.GISLayers) {
        if (!isUtmZone(layer.Zone)) {
            return QStringLiteral("The GIS layer \"%1\" is in zone %2, which is not a UTM zone (1 to 60).")
                .arg(layer.Path)
                .arg(layer.Zone);
        }
    }
    // The last word is the reader's: what it would refuse is not written.
    const SessionReadResult back = parseSessionFile(sessionFileBytes(session));
    if (!back.session) {
        return QStringLiteral("The session would be written in a form KORVEL cannot load again (%1).")
            .arg(back.notSessionFile ? QStringLiteral("no session file") : back.error);
    }
    return {};
}

SessionReadResult parseSessionFile(const QByteArray& bytes)
{
    SessionReadResult result;
    SequentialReader file(bytes);
    FieldReader in(file);
    try {
        // An empty file has no first field to compare: it is no session either.
        if (file.onlyBlanksRemain() || in.text() != SessionMagic) {
            result.notSessionFile = true;
            return result;
        }
        if (const int cut = cutOffLineNumber(bytes)) {
            result.error = QStringLiteral("The file ends inside line %1").arg(cut);
            return result;
        }
        result.session = readBody(in);
    } catch (const VbError& error) {
        result.error = QStringLiteral("%1 in line %2").arg(error.Description()).arg(in.line());
    } catch (const OutOfRange& error) {
        result.error = QStringLiteral("%1 in line %2").arg(error.text()).arg(error.line());
    }
    return result;
}
