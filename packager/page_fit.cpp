// Measuring text in the dialog font.
#include "packager/page_fit.h"

namespace {

// The advance widths in pixels of MS Sans Serif at 8 points (13 pixels
// high), for the bytes 0x20 to 0xFF of Windows-1252, taken from the font's
// character table.
const unsigned char kCharPixels[224] = {
    3, 3, 5, 7, 6, 8, 6, 2, 3, 3, 4, 6, 3, 3, 3, 5,       // 0x20
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3, 3, 6, 6, 6, 6,       // 0x30
    11, 7, 7, 7, 8, 7, 6, 8, 8, 3, 5, 7, 6, 9, 8, 8,      // 0x40
    7, 8, 8, 7, 7, 8, 7, 11, 7, 7, 7, 3, 5, 3, 6, 6,      // 0x50
    3, 6, 6, 6, 6, 6, 3, 6, 6, 2, 2, 6, 2, 8, 6, 6,       // 0x60
    6, 6, 3, 5, 3, 6, 6, 8, 5, 5, 5, 4, 2, 4, 7, 3,       // 0x70
    6, 3, 3, 3, 5, 6, 5, 5, 3, 11, 7, 6, 10, 3, 7, 3,     // 0x80
    3, 3, 3, 4, 4, 6, 5, 6, 3, 9, 5, 6, 10, 3, 5, 7,      // 0x90
    3, 3, 6, 6, 6, 6, 2, 6, 3, 9, 4, 6, 6, 3, 8, 6,       // 0xA0
    4, 6, 3, 3, 3, 6, 6, 3, 3, 3, 4, 6, 8, 8, 8, 6,       // 0xB0
    7, 7, 7, 7, 7, 7, 10, 7, 7, 7, 7, 7, 3, 3, 3, 3,      // 0xC0
    8, 8, 8, 8, 8, 8, 8, 6, 8, 8, 8, 8, 8, 7, 7, 6,       // 0xD0
    6, 6, 6, 6, 6, 6, 10, 6, 6, 6, 6, 6, 2, 4, 4, 4,      // 0xE0
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 5, 6, 5,      // 0xF0
};

int CharPixels(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 ? 0 : kCharPixels[byte - 0x20];
}

int TextPixels(const std::string& text, size_t from, size_t to)
{
    int width = 0;
    for (size_t i = from; i < to; i++)
        width += CharPixels(text[i]);
    return width;
}

// Rows one line takes, wrapped at blanks within width pixels.
int RowsOf(const std::string& line, int width)
{
    int rows = 1;
    int used = 0;
    for (size_t at = 0; at < line.size();) {
        size_t end = line.find(' ', at);
        end = end == std::string::npos ? line.size() : end;
        int word = TextPixels(line, at, end);
        if (used > 0 && used + word > width) {
            rows++;
            used = 0;
        }
        // A word wider than the row is broken where the row ends.
        for (; word > width; word -= width)
            rows++;
        used += word + (end < line.size() ? CharPixels(' ') : 0);
        at = end + 1;
    }
    return rows;
}

} // namespace

int LabelPixels(const std::string& text)
{
    int width = 0;
    for (size_t i = 0; i < text.size(); i++) {
        // The marker is not drawn; the character after it is, "&" included.
        if (text[i] == '&' && i + 1 < text.size())
            i++;
        width += CharPixels(text[i]);
    }
    return width;
}

std::vector<int> WrappedRows(const std::vector<std::string>& lines, int width)
{
    std::vector<int> rows;
    for (const std::string& line : lines)
        rows.push_back(RowsOf(line, width));
    return rows;
}

void CheckFilesPage(const InstallPlan& plan, const PlanStep& step, const ScriptText& text, Diagnostics* diagnostics)
{
    if (!plan.entryVisible)
        return;
    for (int slot = 0; slot < plan.fileCount; slot++) {
        const PlanFile& file = plan.files[slot];
        if (file.marker == '!')
            continue;
        int room = file.marker == '*' ? kLabelTextPixels : kCheckBoxTextPixels;
        std::string label = file.label;
        int width = LabelPixels(label);
        if (width <= room)
            continue;
        std::string shown = label;
        while (!shown.empty() && (LabelPixels(shown) > room || shown.back() == ' '))
            shown.pop_back();
        ReportWarning(diagnostics, text.label, text.LineAt(file.entryAt),
                      "the label is %d pixels wide in the dialog font and its %s shows %d, so it ends at '%s': "
                      "shorten it", width, file.marker == '*' ? "place" : "check box", room, shown.c_str());
    }
    // The description's lines, its terminator left out.
    std::vector<std::string> lines;
    std::vector<long> starts;
    for (long p = step.textFrom; p < step.endAt; p = text.NextLine(p)) {
        std::string line = text.LineFrom(p);
        if (line == "." && text.NextLine(p) == step.endAt && text.NextLine(p) > p + 1)
            break;
        lines.push_back(line);
        starts.push_back(p);
    }
    std::vector<int> rows = WrappedRows(lines, kDescriptionPixels);
    int total = 0;
    for (size_t i = 0; i < rows.size(); i++) {
        total += rows[i];
        if (total <= kDescriptionRows)
            continue;
        int all = total;
        for (size_t j = i + 1; j < rows.size(); j++)
            all += rows[j];
        ReportWarning(diagnostics, text.label, text.LineAt(starts[i]),
                      "the description takes %d rows in its box, which shows %d and does not scroll: it is cut off "
                      "from here on; shorten it (the README text scrolls)", all, kDescriptionRows);
        return;
    }
}
