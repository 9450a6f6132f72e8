// The reading half of the ledger's Excel workbook: the zip container, the
// workbook's first sheet, its shared strings and cells.
#include "ledger/files/ledgerxlsx.h"
#include "ledger/files/xlsxzip.h"
#include <QDir>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

enum class Step { More, Done, Fail };
using TokenHandler = std::function<Step(QXmlStreamReader &)>;

QString notXml(const QString &part)
{
    return QStringLiteral("Excel-työkirja on viallinen: sen osa %1 ei ole kelvollista XML:ää.")
        .arg(part);
}

// Parses a part as it inflates. The handler sees every token and may stop
// the parse (Done) or fail it with a message of its own (Fail).
bool parsePart(const XlsxZip &zip, const QString &part, const TokenHandler &handle, QString *error)
{
    QXmlStreamReader xml;
    bool finished = false;
    bool failed = false;
    // Once the handler has what it needs the rest is still inflated, unread,
    // so that the part's checksum is checked: damage is refused, not read.
    const bool inflated = zip.read(part, [&](const QByteArray &piece) {
        if (finished)
            return true;
        xml.addData(piece);
        for (;;) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::Invalid) {
                if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                    return true;   // more to inflate
                failed = true;
                *error = notXml(part);
                return false;
            }
            const Step step = token == QXmlStreamReader::EndDocument ? Step::Done : handle(xml);
            if (step == Step::Fail) {
                failed = true;
                return false;
            }
            if (step == Step::Done) {
                finished = true;
                return true;
            }
        }
    }, error);
    if (!inflated || failed)
        return false;
    if (!finished)
        *error = notXml(part);
    return finished;
}

bool isElement(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.name() == name;
}

// A part named by a relationship of the workbook part.
QString resolveTarget(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(QStringLiteral("xl/") + target);
}

// "B12": column 1, row 11. False for anything else.
bool parseReference(QStringView ref, int *column, qint64 *row)
{
    int i = 0;
    qint64 c = 0;
    for (; i < ref.size() && c <= 1000000; ++i) {
        const char16_t u = QChar::toUpper(ref.at(i).unicode());
        if (u < 'A' || u > 'Z')
            break;
        c = c * 26 + (u - 'A' + 1);
    }
    qint64 r = 0;
    const int digits = i;
    for (; i < ref.size() && r <= qint64(1) << 40; ++i) {
        const char16_t u = ref.at(i).unicode();
        if (u < '0' || u > '9')
            return false;
        r = r * 10 + (u - '0');
    }
    if (digits == 0 || c > 1000000 || i != ref.size() || i == digits || r < 1)
        return false;
    *column = int(c - 1);
    *row = r - 1;
    return true;
}

class WorkbookReader final {
public:
    explicit WorkbookReader(const QByteArray &bytes) : m_zip(bytes) {}
    LedgerReadResult read();

private:
    bool findParts();
    bool readSharedStrings();
    bool readSheet();
    Step sheetToken(QXmlStreamReader &xml);
    Step startCell(const QXmlStreamReader &xml);
    Step startRow(const QXmlStreamReader &xml);
    Step endCell();
    Step tooManyRows();

    XlsxZip m_zip;
    QString m_error;
    QString m_sheetPart;
    QString m_stringsPart;
    QStringList m_strings;
    LedgerSheet m_sheet{LedgerXlsx::ReadColumns, LedgerXlsx::MaxRows};

    // The cell being read.
    qint64 m_row = -1;
    int m_column = -1;
    enum class CellType { Number, Shared, Text };
    CellType m_type = CellType::Number;
    QString m_value;
    bool m_inValue = false;
    bool m_inText = false;
    int m_phonetic = 0;
    int m_lastRow = -1;
    int m_cells = 0;
};

bool WorkbookReader::findParts()
{
    QString sheetId;
    const QString workbook = QStringLiteral("xl/workbook.xml");
    if (!m_zip.contains(workbook)) {
        m_error = QStringLiteral("Tiedosto ei ole Excel-työkirja.");
        return false;
    }
    if (!parsePart(m_zip, workbook, [&](QXmlStreamReader &xml) {
            if (xml.isStartElement() && isElement(xml, QLatin1String("sheet"))) {
                for (const QXmlStreamAttribute &a : xml.attributes())
                    if (a.name() == QLatin1String("id"))
                        sheetId = a.value().toString();
                return Step::Done;
            }
            return Step::More;
        }, &m_error))
        return false;
    if (sheetId.isEmpty()) {
        m_error = QStringLiteral("Excel-työkirjassa ei ole yhtään taulukkoa.");
        return false;
    }
    return parsePart(m_zip, QStringLiteral("xl/_rels/workbook.xml.rels"), [&](QXmlStreamReader &xml) {
        if (xml.isStartElement() && isElement(xml, QLatin1String("Relationship"))) {
            const QXmlStreamAttributes a = xml.attributes();
            const QString target = resolveTarget(a.value(QLatin1String("Target")).toString());
            if (a.value(QLatin1String("Id")) == sheetId)
                m_sheetPart = target;
            else if (a.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
                m_stringsPart = target;
        }
        return Step::More;
    }, &m_error);
}

bool WorkbookReader::readSharedStrings()
{
    if (m_stringsPart.isEmpty())
        return true;   // a workbook of inline strings and numbers
    QString text;
    return parsePart(m_zip, m_stringsPart, [&](QXmlStreamReader &xml) {
        if (xml.isStartElement()) {
            if (isElement(xml, QLatin1String("si")))
                text.clear();
            else if (isElement(xml, QLatin1String("rPh")))
                ++m_phonetic;   // reading aids of East Asian text, not the text
            else if (isElement(xml, QLatin1String("t")))
                m_inText = true;
        } else if (xml.isEndElement()) {
            if (isElement(xml, QLatin1String("si")))
                m_strings.append(LedgerXlsx::decodeText(text));
            else if (isElement(xml, QLatin1String("rPh")))
                --m_phonetic;
            else if (isElement(xml, QLatin1String("t")))
                m_inText = false;
        } else if (xml.isCharacters() && m_inText && m_phonetic == 0) {
            text += xml.text();
        }
        return Step::More;
    }, &m_error);
}

Step WorkbookReader::tooManyRows()
{
    m_error = QStringLiteral("Excel-työkirjan taulukossa on liikaa rivejä listaksi (yli %1).")
                  .arg(LedgerXlsx::MaxRows);
    return Step::Fail;
}

Step WorkbookReader::startRow(const QXmlStreamReader &xml)
{
    const QStringView r = xml.attributes().value(QLatin1String("r"));
    if (r.isEmpty()) {
        ++m_row;
    } else {
        bool ok = false;
        const qint64 n = r.toLongLong(&ok);
        if (!ok || n < 1) {
            m_error = QStringLiteral("Excel-työkirja on viallinen: taulukossa on rivi %1.").arg(r);
            return Step::Fail;
        }
        m_row = n - 1;
    }
    if (m_row >= LedgerXlsx::MaxRows)
        return tooManyRows();
    m_lastRow = qMax(m_lastRow, int(m_row));
    m_column = -1;
    return Step::More;
}

Step WorkbookReader::startCell(const QXmlStreamReader &xml)
{
    const QXmlStreamAttributes a = xml.attributes();
    const QStringView ref = a.value(QLatin1String("r"));
    if (ref.isEmpty()) {
        ++m_column;
    } else if (!parseReference(ref, &m_column, &m_row)) {
        m_error = QStringLiteral("Excel-työkirja on viallinen: taulukossa on solu %1.").arg(ref);
        return Step::Fail;
    }
    if (m_row < 0)
        m_row = 0;
    if (m_row >= LedgerXlsx::MaxRows)
        return tooManyRows();
    m_lastRow = qMax(m_lastRow, int(m_row));
    const QStringView type = a.value(QLatin1String("t"));
    m_type = type.isEmpty() || type == QLatin1String("n") ? CellType::Number
             : type == QLatin1String("s")                 ? CellType::Shared
                                                          : CellType::Text;
    m_value.clear();
    return Step::More;
}

Step WorkbookReader::endCell()
{
    QString text;
    if (m_type == CellType::Shared) {
        bool ok = false;
        const int index = m_value.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= m_strings.size()) {
            m_error = QStringLiteral("Excel-työkirja on viallinen: solu viittaa jaettuun "
                                     "tekstiin %1, jota ei ole.").arg(m_value.left(20));
            return Step::Fail;
        }
        text = m_strings.at(index);
    } else if (m_type == CellType::Number) {
        bool ok = false;
        const double number = m_value.toDouble(&ok);
        // The shortest text of the number, not its binary rounding.
        text = ok ? QString::number(number, 'g', 15) : m_value;
    } else {
        text = LedgerXlsx::decodeText(m_value);
    }
    ++m_cells;
    if (!text.isEmpty())
        m_sheet.setCell(m_column, int(m_row), text);
    return Step::More;
}

Step WorkbookReader::sheetToken(QXmlStreamReader &xml)
{
    if (xml.isStartElement()) {
        if (isElement(xml, QLatin1String("row")))
            return startRow(xml);
        if (isElement(xml, QLatin1String("c")))
            return startCell(xml);
        if (isElement(xml, QLatin1String("v")) || isElement(xml, QLatin1String("t")))
            m_inValue = true;
        else if (isElement(xml, QLatin1String("rPh")))
            ++m_phonetic;
    } else if (xml.isEndElement()) {
        if (isElement(xml, QLatin1String("c")))
            return endCell();
        if (isElement(xml, QLatin1String("v")) || isElement(xml, QLatin1String("t")))
            m_inValue = false;
        else if (isElement(xml, QLatin1String("rPh")))
            --m_phonetic;
        else if (isElement(xml, QLatin1String("sheetData")))
            return Step::Done;   // the rest of the sheet is layout
    } else if (xml.isCharacters() && m_inValue && m_phonetic == 0) {
        m_value += xml.text();
    }
    return Step::More;
}

bool WorkbookReader::readSheet()
{
    m_phonetic = 0;
    return parsePart(m_zip, m_sheetPart, [this](QXmlStreamReader &xml) { return sheetToken(xml); },
                     &m_error);
}

LedgerReadResult WorkbookReader::read()
{
    LedgerReadResult result;
    if (!m_zip.isOpen()) {
        m_error = QStringLiteral("Tiedosto ei ole Excel-työkirja (.xlsx).");
    } else if (findParts() && !m_sheetPart.isEmpty() && readSharedStrings() && readSheet()) {
        if (m_cells > 0) {
            m_sheet.setRowCount(m_lastRow + 1);
            result.status = LedgerReadResult::Status::Read;
            result.sheet = std::move(m_sheet);
            return result;
        }
        m_error = QStringLiteral("Excel-työkirjan ensimmäisessä taulukossa ei ole yhtään solua.");
    } else if (m_error.isEmpty()) {
        m_error = QStringLiteral("Excel-työkirja on viallinen: sen ensimmäistä taulukkoa ei löydy.");
    }
    result.error = m_error + QStringLiteral("\r\nListaa ei luettu.");
    return result;
}

}

namespace LedgerXlsx {

LedgerReadResult parseWorkbook(const QByteArray &bytes)
{
    return WorkbookReader(bytes).read();
}

}
