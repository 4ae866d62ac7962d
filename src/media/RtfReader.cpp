#include "media/RtfReader.h"

#include "files/TextCodec.h"
#include "media/JpegDecoder.h"
#include "media/PngDecoder.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Groups deeper than this share the state of the deepest one: a document of nothing but "{"
// costs a counter, not memory.
constexpr int kMaxGroupDepth = 1024;
// Font and colour tables larger than this are not real documents; the rest is ignored.
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxControlWordLength = 32;
constexpr int kMaxFallbackSkip = 255;
// Indents and spacing are kept within 22 inches, in twips.
constexpr int kMaxTwips = 31680;
// A picture is never laid out larger than this many pixels on a side.
constexpr double kMaxPictureSide = 16384.0;
constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch

enum class Dest { Text, FontTable, ColorTable, Picture, Skip };
enum class Underline : unsigned char { None, Single, Dotted, Dashed, Wave };
enum class VerticalPos : unsigned char { Normal, Super, Sub };
enum class Align : unsigned char { Left, Right, Center, Justify };
enum class PictureKind { Other, Png, Jpeg };

struct CharProps
{
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    VerticalPos vertical = VerticalPos::Normal;
    int font = -1;       // font table number; -1 is the document's default font (\deff)
    int halfPoints = 0;  // 0: no size given, the view's own font size applies
    int foreground = -1; // colour table indexes; -1 none
    int background = -1;
    int highlight = -1;
    bool operator==(const CharProps &) const = default;
};

struct ParaProps
{
    Align align = Align::Left;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    bool operator==(const ParaProps &) const = default;
};

struct GroupState
{
    CharProps chars;
    ParaProps para;
    Dest dest = Dest::Text;
    int fallbackChars = 1; // \ucN
    bool ownsPicture = false;
};

struct FontEntry
{
    QString name;
    int codePage = 0; // 0: the document's code page
};

struct PictureInfo
{
    PictureKind kind = PictureKind::Other;
    int goalWidthTwips = 0;
    int goalHeightTwips = 0;
    int scaleXPercent = 100;
    int scaleYPercent = 100;
};

enum class Kw {
    // destinations
    FontTable,
    ColorTable,
    Pict,
    SkipDest,
    KnownDest,
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    Uc,
    U,
    Bin,
    // font and colour tables
    FCharset,
    Cpg,
    Red,
    Green,
    Blue,
    // characters
    Plain,
    F,
    Fs,
    B,
    I,
    Ul,
    UlNone,
    UlDotted,
    UlDashed,
    UlWave,
    Strike,
    Hidden,
    Super,
    Sub,
    NoSuperSub,
    Cf,
    Cb,
    Highlight,
    // paragraphs
    Pard,
    Ql,
    Qr,
    Qc,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Par,
    Line,
    Tab,
    Cell,
    Char, // a symbol word: the character is in the table
    // pictures
    PngBlip,
    JpegBlip,
    OtherBlip,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
};

struct KwInfo
{
    Kw kw;
    char16_t ch = 0;
};

const std::unordered_map<std::string_view, KwInfo> &keywords()
{
    static const std::unordered_map<std::string_view, KwInfo> table = [] {
        std::unordered_map<std::string_view, KwInfo> t;
        const std::pair<const char *, Kw> plain[] = {
            {"fonttbl", Kw::FontTable},
            {"colortbl", Kw::ColorTable},
            {"pict", Kw::Pict},
            {"shppict", Kw::KnownDest},
            {"fldrslt", Kw::KnownDest},
            {"ansi", Kw::Ansi},
            {"mac", Kw::Mac},
            {"pc", Kw::Pc},
            {"pca", Kw::Pca},
            {"ansicpg", Kw::AnsiCpg},
            {"deff", Kw::Deff},
            {"uc", Kw::Uc},
            {"u", Kw::U},
            {"bin", Kw::Bin},
            {"fcharset", Kw::FCharset},
            {"cpg", Kw::Cpg},
            {"red", Kw::Red},
            {"green", Kw::Green},
            {"blue", Kw::Blue},
            {"plain", Kw::Plain},
            {"f", Kw::F},
            {"fs", Kw::Fs},
            {"b", Kw::B},
            {"i", Kw::I},
            {"ul", Kw::Ul},
            {"ulw", Kw::Ul},
            {"uldb", Kw::Ul},
            {"ulth", Kw::Ul},
            {"ulnone", Kw::UlNone},
            {"uld", Kw::UlDotted},
            {"ulthd", Kw::UlDotted},
            {"uldash", Kw::UlDashed},
            {"uldashd", Kw::UlDashed},
            {"uldashdd", Kw::UlDashed},
            {"ulthdash", Kw::UlDashed},
            {"ulwave", Kw::UlWave},
            {"ulhwave", Kw::UlWave},
            {"ululdbwave", Kw::UlWave},
            {"strike", Kw::Strike},
            {"striked", Kw::Strike},
            {"v", Kw::Hidden},
            {"super", Kw::Super},
            {"sub", Kw::Sub},
            {"nosupersub", Kw::NoSuperSub},
            {"cf", Kw::Cf},
            {"cb", Kw::Cb},
            {"chcbpat", Kw::Cb},
            {"highlight", Kw::Highlight},
            {"pard", Kw::Pard},
            {"ql", Kw::Ql},
            {"qr", Kw::Qr},
            {"qc", Kw::Qc},
            {"qj", Kw::Qj},
            {"qd", Kw::Qj},
            {"li", Kw::Li},
            {"lin", Kw::Li},
            {"ri", Kw::Ri},
            {"rin", Kw::Ri},
            {"fi", Kw::Fi},
            {"sb", Kw::Sb},
            {"sa", Kw::Sa},
            {"par", Kw::Par},
            {"sect", Kw::Par},
            {"page", Kw::Par},
            {"row", Kw::Par},
            {"line", Kw::Line},
            {"tab", Kw::Tab},
            {"cell", Kw::Cell},
            {"nestcell", Kw::Cell},
            {"pngblip", Kw::PngBlip},
            {"jpegblip", Kw::JpegBlip},
            {"wmetafile", Kw::OtherBlip},
            {"emfblip", Kw::OtherBlip},
            {"macpict", Kw::OtherBlip},
            {"pmmetafile", Kw::OtherBlip},
            {"dibitmap", Kw::OtherBlip},
            {"wbitmap", Kw::OtherBlip},
            {"picwgoal", Kw::PicWGoal},
            {"pichgoal", Kw::PicHGoal},
            {"picscalex", Kw::PicScaleX},
            {"picscaley", Kw::PicScaleY},
        };
        for (const auto &[name, kw] : plain)
            t.emplace(name, KwInfo{kw});
        // Destinations whose content is never shown.
        static constexpr std::string_view skipped =
            "stylesheet info header headerl headerr headerf footer footerl footerr footerf "
            "footnote fldinst nonshppict objdata objclass objname themedata datastore listtable "
            "listoverridetable revtbl rsidtbl filetbl generator xmlnstbl pn pgdsctbl annotation "
            "atnid atnauthor xe tc txe bkmkstart bkmkend ftnsep ftnsepc aftnsep aftnsepc template "
            "userprops docvar private shpinst do latentstyles colorschememapping mmathPr comment "
            "author operator title";
        for (size_t from = 0; from < skipped.size();) {
            const size_t space = std::min(skipped.find(' ', from), skipped.size());
            t.emplace(skipped.substr(from, space - from), KwInfo{Kw::SkipDest});
            from = space + 1;
        }
        const std::pair<const char *, char16_t> symbols[] = {
            {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003}, {"enspace", 0x2002},
            {"qmspace", 0x2005},   {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},     {"zwnj", 0x200C},
            {"ltrmark", 0x200E},   {"rtlmark", 0x200F},
        };
        for (const auto &[name, ch] : symbols)
            t.emplace(name, KwInfo{Kw::Char, ch});
        return t;
    }();
    return table;
}

// The Windows code page of a font's \fcharset; 0 when the document's own code page applies.
int codePageForCharset(int charset)
{
    switch (charset) {
    case 2: return 1252; // Symbol: the bytes are the glyph numbers
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

QByteArray codecNameFor(int codePage)
{
    switch (codePage) {
    case 65001: return QByteArrayLiteral("UTF-8");
    case 10000: return QByteArrayLiteral("macintosh");
    case 20866: return QByteArrayLiteral("KOI8-R");
    default: break;
    }
    if (codePage >= 28591 && codePage <= 28606)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    return "cp" + QByteArray::number(codePage);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

double twipsToPixels(int twips, int low, int high)
{
    return std::clamp(twips, low, high) / kTwipsPerPixel;
}

class Reader
{
public:
    Reader(const QByteArray &bytes, QTextDocument &doc)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size()), m_doc(doc),
          m_cursor(&doc)
    {}

    void run();

private:
    GroupState &st() { return m_stack.back(); }
    bool showingText() const
    {
        return !m_stack.empty() && m_stack.back().dest == Dest::Text &&
               !m_stack.back().chars.hidden;
    }

    void openGroup();
    void closeGroup();
    void controlSequence();
    void controlWord();
    void plainBytes(const char *begin, const char *end);
    void oneByte(char byte) { plainBytes(&byte, &byte + 1); }
    void textBytes(const char *begin, const char *end);
    void applyWord(std::string_view name, bool hasParam, int param);
    void applyUnicode(int param);

    // Output: bytes gather in the current code page, characters in a run of one format; a run
    // goes into the document when the format changes or the paragraph ends.
    void openRun();
    void addChar(char16_t c);
    void addRawChar(char16_t c);
    void emitPendingHigh();
    void flushBytes();
    void flushRun();
    void endParagraph();
    void finish();

    void commitFont();
    void commitColor();
    void pictureBytes(const char *begin, const char *end);
    void finishPicture(bool show);

    int codePageFor(const CharProps &chars) const;
    bool codePageUsable(int codePage);
    QStringDecoder *decoderFor(int codePage);
    void decodeAppend(QString &out, QByteArrayView bytes, int codePage);
    const QTextCharFormat &charFormat(const CharProps &c);
    const QTextBlockFormat &blockFormat(const ParaProps &p);
    QTextCharFormat makeCharFormat(const CharProps &c) const;
    static QTextBlockFormat makeBlockFormat(const ParaProps &p);
    std::optional<QColor> color(int index) const;

    const char *m_p;
    const char *m_end;
    QTextDocument &m_doc;
    QTextCursor m_cursor;

    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0;
    bool m_finished = false;
    bool m_starred = false; // after \*: an unknown destination word skips its group
    int m_fallbackLeft = 0; // characters still to skip after \uN
    char16_t m_pendingHigh = 0;
    ParaProps m_lastPara;
    ParaProps m_blockProps; // the properties the current block was given

    // Formats already made: a document uses a handful over and over, and a shared format is
    // found again by the document without being hashed anew.
    std::vector<std::pair<CharProps, QTextCharFormat>> m_charFormats;
    std::pair<ParaProps, QTextBlockFormat> m_blockFormat{ParaProps(), makeBlockFormat(ParaProps())};

    int m_docCodePage = 1252;
    int m_defaultFont = -1;
    std::unordered_map<int, FontEntry> m_fonts;
    std::vector<std::optional<QColor>> m_colors;
    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;

    int m_entryFont = -1;
    int m_entryCharset = 0;
    int m_entryCodePage = 0;
    QByteArray m_entryName;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    PictureInfo m_picture;
    QByteArray m_pictureData;
    int m_pictureNibble = -1;
    int m_imageCount = 0;

    QByteArray m_runBytes;
    QString m_runText;
    CharProps m_runChars;
    int m_runCodePage = 1252;
    bool m_runOpen = false;
};

void Reader::run()
{
    m_cursor.beginEditBlock();
    m_cursor.setBlockFormat(blockFormat(m_blockProps));
    while (m_p < m_end && !m_finished) {
        switch (*m_p) {
        case '{':
            ++m_p;
            openGroup();
            break;
        case '}':
            ++m_p;
            closeGroup();
            break;
        case '\\':
            ++m_p;
            controlSequence();
            break;
        case '\r':
        case '\n': ++m_p; break;
        default: {
            const char *begin = m_p;
            while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' &&
                   *m_p != '\n')
                ++m_p;
            if (m_stack.empty())
                break; // text before the first group is not part of the document
            const qsizetype skip = std::min<qsizetype>(m_fallbackLeft, m_p - begin);
            m_fallbackLeft -= int(skip);
            plainBytes(begin + skip, m_p);
            break;
        }
        }
    }
    finish();
    m_cursor.endEditBlock();
}

void Reader::openGroup()
{
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_stack.size() >= size_t(kMaxGroupDepth)) {
        ++m_overflowDepth;
        return;
    }
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    m_stack.push_back(m_stack.back());
    m_stack.back().ownsPicture = false;
}

void Reader::closeGroup()
{
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.empty())
        return;
    const GroupState closed = m_stack.back();
    if (closed.dest == Dest::FontTable)
        commitFont();
    if (m_stack.size() == 1) {
        // The document's own group has ended; anything after it is not part of it.
        emitPendingHigh();
        flushRun();
        m_lastPara = closed.para;
        m_stack.pop_back();
        m_finished = true;
        return;
    }
    m_stack.pop_back();
    if (closed.ownsPicture)
        finishPicture(showingText());
}

void Reader::controlSequence()
{
    if (m_p >= m_end)
        return;
    const char c = *m_p;
    if (isLetter(c)) {
        controlWord();
        return;
    }
    ++m_p;
    if (c == '\'') {
        int value = -1;
        if (m_p < m_end && hexValue(*m_p) >= 0) {
            value = hexValue(*m_p++);
            if (m_p < m_end && hexValue(*m_p) >= 0)
                value = value * 16 + hexValue(*m_p++);
        }
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        if (value >= 0 && !m_stack.empty() && st().dest != Dest::Picture)
            oneByte(char(value));
        return;
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_stack.empty())
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}': oneByte(c); break;
    case '*': m_starred = true; break;
    case '~':
        if (showingText())
            addChar(0x00A0);
        break;
    case '-':
        if (showingText())
            addChar(0x00AD);
        break;
    case '_':
        if (showingText())
            addChar(0x2011);
        break;
    case '\t':
        if (showingText())
            addChar(u'\t');
        break;
    case '\r':
    case '\n':
        if (showingText())
            endParagraph();
        break;
    default: break;
    }
}

void Reader::controlWord()
{
    const char *nameBegin = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    const std::string_view name(nameBegin, size_t(m_p - nameBegin));
    bool negative = false;
    if (m_p + 1 < m_end && *m_p == '-' && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    bool hasParam = false;
    qint64 value = 0;
    while (m_p < m_end && isDigit(*m_p)) {
        hasParam = true;
        if (value < 10'000'000'000LL)
            value = value * 10 + (*m_p - '0');
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    value = std::min<qint64>(value, 0x7FFFFFFF);
    const int param = int(negative ? -value : value);

    if (name == "bin") {
        // Binary data follows; it is taken whole, or to the end of what there is.
        const qsizetype count = std::min<qsizetype>(hasParam ? std::max(param, 0) : 0, m_end - m_p);
        const char *data = m_p;
        m_p += count;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        if (!m_stack.empty() && st().dest == Dest::Picture && st().ownsPicture) {
            m_pictureData.append(data, count);
            m_pictureNibble = -1;
        }
        return;
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_stack.empty() || name.size() > size_t(kMaxControlWordLength))
        return;
    applyWord(name, hasParam, param);
}

void Reader::applyWord(std::string_view name, bool hasParam, int param)
{
    const bool starred = std::exchange(m_starred, false);
    GroupState &s = st();
    if (s.dest == Dest::Skip)
        return;
    const auto &table = keywords();
    const auto found = table.find(name);
    if (found == table.end()) {
        if (starred)
            s.dest = Dest::Skip;
        return;
    }
    const Kw kw = found->second.kw;
    const bool on = !hasParam || param != 0;

    // Words that mean something inside the tables and pictures.
    switch (s.dest) {
    case Dest::FontTable:
        switch (kw) {
        case Kw::F:
            commitFont();
            m_entryFont = param;
            break;
        case Kw::FCharset: m_entryCharset = param; break;
        case Kw::Cpg: m_entryCodePage = param; break;
        case Kw::U: m_fallbackLeft = s.fallbackChars; break;
        case Kw::Uc: s.fallbackChars = std::clamp(param, 0, kMaxFallbackSkip); break;
        case Kw::SkipDest:
        case Kw::FontTable:
        case Kw::ColorTable:
        case Kw::Pict: s.dest = Dest::Skip; break;
        default:
            if (starred)
                s.dest = Dest::Skip;
            break;
        }
        return;
    case Dest::ColorTable:
        switch (kw) {
        case Kw::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        default:
            if (starred || kw == Kw::SkipDest)
                s.dest = Dest::Skip;
            break;
        }
        return;
    case Dest::Picture:
        switch (kw) {
        case Kw::PngBlip: m_picture.kind = PictureKind::Png; break;
        case Kw::JpegBlip: m_picture.kind = PictureKind::Jpeg; break;
        case Kw::OtherBlip: m_picture.kind = PictureKind::Other; break;
        case Kw::PicWGoal: m_picture.goalWidthTwips = param; break;
        case Kw::PicHGoal: m_picture.goalHeightTwips = param; break;
        case Kw::PicScaleX: m_picture.scaleXPercent = param; break;
        case Kw::PicScaleY: m_picture.scaleYPercent = param; break;
        default:
            if (starred || kw == Kw::SkipDest)
                s.dest = Dest::Skip;
            break;
        }
        return;
    case Dest::Skip: return;
    case Dest::Text: break;
    }

    switch (kw) {
    case Kw::FontTable:
        s.dest = Dest::FontTable;
        m_entryFont = -1;
        break;
    case Kw::ColorTable:
        s.dest = Dest::ColorTable;
        m_colorGiven = false;
        m_red = m_green = m_blue = 0;
        break;
    case Kw::Pict:
        s.dest = Dest::Picture;
        s.ownsPicture = true;
        m_picture = PictureInfo();
        m_pictureData.clear();
        m_pictureNibble = -1;
        break;
    case Kw::SkipDest: s.dest = Dest::Skip; break;
    case Kw::KnownDest: break;
    case Kw::Ansi: m_docCodePage = 1252; break;
    case Kw::Mac: m_docCodePage = codePageUsable(10000) ? 10000 : 1252; break;
    case Kw::Pc: m_docCodePage = codePageUsable(437) ? 437 : 1252; break;
    case Kw::Pca: m_docCodePage = codePageUsable(850) ? 850 : 1252; break;
    case Kw::AnsiCpg: m_docCodePage = codePageUsable(param) ? param : 1252; break;
    case Kw::Deff: m_defaultFont = param; break;
    case Kw::Uc: s.fallbackChars = std::clamp(param, 0, kMaxFallbackSkip); break;
    case Kw::U: applyUnicode(param); break;
    case Kw::Plain: s.chars = CharProps(); break;
    case Kw::F: s.chars.font = param; break;
    case Kw::Fs: s.chars.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24; break;
    case Kw::B: s.chars.bold = on; break;
    case Kw::I: s.chars.italic = on; break;
    case Kw::Ul: s.chars.underline = on ? Underline::Single : Underline::None; break;
    case Kw::UlNone: s.chars.underline = Underline::None; break;
    case Kw::UlDotted: s.chars.underline = on ? Underline::Dotted : Underline::None; break;
    case Kw::UlDashed: s.chars.underline = on ? Underline::Dashed : Underline::None; break;
    case Kw::UlWave: s.chars.underline = on ? Underline::Wave : Underline::None; break;
    case Kw::Strike: s.chars.strike = on; break;
    case Kw::Hidden: s.chars.hidden = on; break;
    case Kw::Super: s.chars.vertical = VerticalPos::Super; break;
    case Kw::Sub: s.chars.vertical = VerticalPos::Sub; break;
    case Kw::NoSuperSub: s.chars.vertical = VerticalPos::Normal; break;
    case Kw::Cf: s.chars.foreground = param; break;
    case Kw::Cb: s.chars.background = param; break;
    case Kw::Highlight: s.chars.highlight = param; break;
    case Kw::Pard: s.para = ParaProps(); break;
    case Kw::Ql: s.para.align = Align::Left; break;
    case Kw::Qr: s.para.align = Align::Right; break;
    case Kw::Qc: s.para.align = Align::Center; break;
    case Kw::Qj: s.para.align = Align::Justify; break;
    case Kw::Li: s.para.leftTwips = param; break;
    case Kw::Ri: s.para.rightTwips = param; break;
    case Kw::Fi: s.para.firstLineTwips = param; break;
    case Kw::Sb: s.para.beforeTwips = param; break;
    case Kw::Sa: s.para.afterTwips = param; break;
    case Kw::Par:
        if (showingText())
            endParagraph();
        break;
    case Kw::Line:
        if (showingText())
            addChar(u'\u2028');
        break;
    case Kw::Tab:
    case Kw::Cell:
        if (showingText())
            addChar(u'\t');
        break;
    case Kw::Char:
        if (showingText())
            addChar(found->second.ch);
        break;
    default: break; // table and picture words outside their destination
    }
}

// \uN: a UTF-16 unit as a signed 16-bit number, followed by \ucN fallback characters to skip.
// A pair of surrogates makes one character; a lone surrogate or a value outside 16 bits is shown
// as U+FFFD.
void Reader::applyUnicode(int param)
{
    m_fallbackLeft = st().fallbackChars;
    if (!showingText())
        return;
    int unit = param < 0 ? param + 65536 : param;
    if (unit < 0 || unit > 0xFFFF)
        unit = 0xFFFD;
    if (unit < 0x20 && unit != '\t')
        return; // control characters are dropped, as in the text itself
    const auto u = char16_t(unit);
    if (QChar::isHighSurrogate(u)) {
        emitPendingHigh();
        m_pendingHigh = u;
    } else if (QChar::isLowSurrogate(u)) {
        if (m_pendingHigh != 0) {
            addRawChar(std::exchange(m_pendingHigh, char16_t(0)));
            addRawChar(u);
        } else {
            addChar(0xFFFD);
        }
    } else {
        addChar(u);
    }
}

void Reader::plainBytes(const char *begin, const char *end)
{
    if (begin == end || m_stack.empty())
        return;
    switch (st().dest) {
    case Dest::Text:
        if (!st().chars.hidden)
            textBytes(begin, end);
        break;
    case Dest::FontTable:
        for (const char *q = begin; q < end; ++q) {
            if (*q == ';')
                commitFont();
            else if (m_entryFont >= 0 && m_entryName.size() < 256)
                m_entryName.append(*q);
        }
        break;
    case Dest::ColorTable:
        for (const char *q = begin; q < end; ++q)
            if (*q == ';')
                commitColor();
        break;
    case Dest::Picture:
        if (st().ownsPicture)
            pictureBytes(begin, end);
        break;
    case Dest::Skip: break;
    }
}

// Text bytes in the current code page. Control bytes are dropped but for the tab.
void Reader::textBytes(const char *begin, const char *end)
{
    emitPendingHigh();
    const char *q = begin;
    while (q < end) {
        const char *runStart = q;
        while (q < end && static_cast<unsigned char>(*q) >= 0x20)
            ++q;
        if (q > runStart) {
            openRun();
            m_runBytes.append(runStart, q - runStart);
        }
        if (q < end) {
            if (*q == '\t')
                addChar(u'\t');
            ++q;
        }
    }
}

void Reader::openRun()
{
    if (m_runOpen && st().chars == m_runChars)
        return;
    flushRun();
    m_runChars = st().chars;
    m_runCodePage = codePageFor(m_runChars);
    m_runOpen = true;
}

void Reader::addChar(char16_t c)
{
    emitPendingHigh();
    addRawChar(c);
}

void Reader::addRawChar(char16_t c)
{
    openRun();
    flushBytes();
    m_runText.append(QChar(c));
}

void Reader::emitPendingHigh()
{
    if (m_pendingHigh != 0) {
        m_pendingHigh = 0;
        addRawChar(0xFFFD);
    }
}

void Reader::flushBytes()
{
    if (m_runBytes.isEmpty())
        return;
    decodeAppend(m_runText, m_runBytes, m_runCodePage);
    m_runBytes.clear();
}

void Reader::flushRun()
{
    flushBytes();
    if (!m_runText.isEmpty()) {
        m_cursor.insertText(m_runText, charFormat(m_runChars));
        m_runText.clear();
    }
}

void Reader::endParagraph()
{
    emitPendingHigh();
    // A paragraph takes the properties in force at its end. The next one most often keeps them,
    // so it starts with them and is only changed when it ends with others.
    const ParaProps &para = st().para;
    // Keeping them, and ending in the format of its last run, it ends inside that run: the
    // document starts the next block, in the current block's format and the run's, while the
    // run's text goes in. One insertion instead of two, and the next paragraph's first run
    // often joins the same one.
    if (para == m_blockProps && m_runOpen && st().chars == m_runChars) {
        flushBytes();
        m_runText.append(QChar::ParagraphSeparator);
        return;
    }
    flushRun();
    if (!(para == m_blockProps))
        m_cursor.setBlockFormat(blockFormat(para));
    m_cursor.insertBlock(blockFormat(para), charFormat(st().chars));
    m_blockProps = para;
}

// At the end of the input, closed or not: what was read goes in, and the last paragraph takes
// the properties in force.
void Reader::finish()
{
    if (!m_stack.empty()) {
        emitPendingHigh();
        flushRun();
        m_lastPara = st().para;
    }
    if (!(m_lastPara == m_blockProps))
        m_cursor.setBlockFormat(blockFormat(m_lastPara));
}

void Reader::commitFont()
{
    if (m_entryFont >= 0 &&
        (m_fonts.size() < size_t(kMaxTableEntries) || m_fonts.count(m_entryFont) != 0)) {
        FontEntry entry;
        entry.codePage =
            codePageUsable(m_entryCodePage) ? m_entryCodePage : codePageForCharset(m_entryCharset);
        if (entry.codePage != 0 && !codePageUsable(entry.codePage))
            entry.codePage = 0;
        decodeAppend(entry.name, m_entryName, entry.codePage != 0 ? entry.codePage : m_docCodePage);
        entry.name = entry.name.trimmed();
        m_fonts[m_entryFont] = entry;
        m_charFormats.clear(); // formats made so far may name the font
    }
    m_entryFont = -1;
    m_entryCharset = 0;
    m_entryCodePage = 0;
    m_entryName.clear();
}

void Reader::commitColor()
{
    if (m_colors.size() < size_t(kMaxTableEntries))
        m_colors.push_back(m_colorGiven ? std::optional<QColor>(QColor(m_red, m_green, m_blue))
                                        : std::nullopt);
    m_colorGiven = false;
    m_red = m_green = m_blue = 0;
    m_charFormats.clear();
}

void Reader::pictureBytes(const char *begin, const char *end)
{
    for (const char *q = begin; q < end; ++q) {
        const int v = hexValue(*q);
        if (v < 0)
            continue;
        if (m_pictureNibble < 0) {
            m_pictureNibble = v;
        } else {
            m_pictureData.append(char(m_pictureNibble * 16 + v));
            m_pictureNibble = -1;
        }
    }
}

void Reader::finishPicture(bool show)
{
    const QByteArray data = std::exchange(m_pictureData, QByteArray());
    m_pictureNibble = -1;
    if (!show || data.isEmpty() || m_picture.kind == PictureKind::Other)
        return;
    QImage image;
    if (m_picture.kind == PictureKind::Png) {
        Fallible<QImage> png = DecodePng(data, QString());
        if (png.ok())
            image = png.take();
    } else {
        Fallible<JpegDecodeResult> jpeg = decodeJpeg(data);
        if (jpeg.ok())
            image = jpeg.value().image;
    }
    if (image.isNull())
        return;

    // The size the document asks for (twips, scaled by percent), else the picture's own.
    double width = m_picture.goalWidthTwips > 0 ? m_picture.goalWidthTwips / kTwipsPerPixel
                                                : double(image.width());
    double height = m_picture.goalHeightTwips > 0 ? m_picture.goalHeightTwips / kTwipsPerPixel
                                                  : double(image.height());
    if (m_picture.scaleXPercent > 0)
        width = width * std::min(m_picture.scaleXPercent, 10000) / 100.0;
    if (m_picture.scaleYPercent > 0)
        height = height * std::min(m_picture.scaleYPercent, 10000) / 100.0;
    width = std::clamp(width, 1.0, kMaxPictureSide);
    height = std::clamp(height, 1.0, kMaxPictureSide);

    const QString name = QStringLiteral("rtf-image:%1").arg(++m_imageCount);
    m_doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    emitPendingHigh();
    flushRun();
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(width);
    format.setHeight(height);
    m_cursor.insertImage(format);
}

int Reader::codePageFor(const CharProps &chars) const
{
    const auto font = m_fonts.find(chars.font >= 0 ? chars.font : m_defaultFont);
    if (font != m_fonts.end() && font->second.codePage != 0)
        return font->second.codePage;
    return m_docCodePage;
}

bool Reader::codePageUsable(int codePage)
{
    return codePage == 1252 || decoderFor(codePage) != nullptr;
}

QStringDecoder *Reader::decoderFor(int codePage)
{
    if (codePage <= 0 || codePage == 1252)
        return nullptr;
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        // Each code page named is looked up once; a document naming hundreds is not real.
        if (m_decoders.size() >= 64)
            return nullptr;
        auto decoder = std::make_unique<QStringDecoder>(codecNameFor(codePage).constData(),
                                                        QStringConverter::Flag::Stateless);
        if (!decoder->isValid())
            decoder.reset();
        found = m_decoders.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.get();
}

void Reader::decodeAppend(QString &out, QByteArrayView bytes, int codePage)
{
    if (QStringDecoder *decoder = decoderFor(codePage))
        out += QString(decoder->decode(bytes));
    else
        appendWindows1252(out, bytes);
}

std::optional<QColor> Reader::color(int index) const
{
    if (index < 0 || size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[size_t(index)];
}

const QTextCharFormat &Reader::charFormat(const CharProps &c)
{
    for (const auto &[props, format] : m_charFormats)
        if (props == c)
            return format;
    if (m_charFormats.size() >= 64)
        m_charFormats.clear();
    m_charFormats.emplace_back(c, makeCharFormat(c));
    return m_charFormats.back().second;
}

const QTextBlockFormat &Reader::blockFormat(const ParaProps &p)
{
    if (!(m_blockFormat.first == p))
        m_blockFormat = {p, makeBlockFormat(p)};
    return m_blockFormat.second;
}

QTextCharFormat Reader::makeCharFormat(const CharProps &c) const
{
    QTextCharFormat f;
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontStrikeOut(c.strike);
    switch (c.underline) {
    case Underline::None: f.setUnderlineStyle(QTextCharFormat::NoUnderline); break;
    case Underline::Single: f.setUnderlineStyle(QTextCharFormat::SingleUnderline); break;
    case Underline::Dotted: f.setUnderlineStyle(QTextCharFormat::DotLine); break;
    case Underline::Dashed: f.setUnderlineStyle(QTextCharFormat::DashUnderline); break;
    case Underline::Wave: f.setUnderlineStyle(QTextCharFormat::WaveUnderline); break;
    }
    if (c.vertical == VerticalPos::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical == VerticalPos::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const auto font = m_fonts.find(c.font >= 0 ? c.font : m_defaultFont);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        f.setFontFamilies(QStringList{font->second.name});
    if (c.halfPoints > 0)
        f.setFontPointSize(c.halfPoints / 2.0);
    if (const auto fg = color(c.foreground))
        f.setForeground(QBrush(*fg));
    std::optional<QColor> bg = color(c.highlight);
    if (!bg)
        bg = color(c.background);
    if (bg)
        f.setBackground(QBrush(*bg));
    return f;
}

QTextBlockFormat Reader::makeBlockFormat(const ParaProps &p)
{
    QTextBlockFormat f;
    switch (p.align) {
    case Align::Left: f.setAlignment(Qt::AlignLeft); break;
    case Align::Right: f.setAlignment(Qt::AlignRight); break;
    case Align::Center: f.setAlignment(Qt::AlignHCenter); break;
    case Align::Justify: f.setAlignment(Qt::AlignJustify); break;
    }
    f.setLeftMargin(twipsToPixels(p.leftTwips, 0, kMaxTwips));
    f.setRightMargin(twipsToPixels(p.rightTwips, 0, kMaxTwips));
    f.setTextIndent(twipsToPixels(p.firstLineTwips, -kMaxTwips, kMaxTwips));
    f.setTopMargin(twipsToPixels(p.beforeTwips, 0, kMaxTwips));
    f.setBottomMargin(twipsToPixels(p.afterTwips, 0, kMaxTwips));
    return f;
}

const char *skipWhiteSpace(const char *p, const char *end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    return p;
}

} // namespace

bool looksLikeRtf(const QByteArray &bytes)
{
    const char *p = skipWhiteSpace(bytes.constData(), bytes.constData() + bytes.size());
    return QByteArrayView(p, bytes.constData() + bytes.size() - p).startsWith("{\\rtf");
}

QString notRtfMessage()
{
    return QStringLiteral("El fitxer no és un document RTF");
}

Fallible<void> readRtf(const QByteArray &bytes, QTextDocument &doc)
{
    if (!looksLikeRtf(bytes))
        return Fallible<void>::failure(notRtfMessage());
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    Reader(bytes, doc).run();
    doc.setUndoRedoEnabled(undo);
    return Fallible<void>::success();
}
