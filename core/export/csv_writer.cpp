#include "export/csv_text.h"
#include "export/table_export.h"

#include "common/text_writer.h"

namespace quorlin {

std::string csvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            record += field;
            continue;
        }
        record += '"';
        for (const char c : field) {
            if (c == '"')
                record += '"';
            record += c;
        }
        record += '"';
    }
    return record;
}

bool writeCsv(const ExportTable& table, const std::string& path, std::string& error)
{
    TextWriter writer(path, TextEncoding::Utf8);
    writer.writeLine(std::string(kUtf8Bom) + csvRecord(table.headers));
    for (const auto& row : table.rows)
        if (!writer.writeLine(csvRecord(row)))
            break;
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

} // namespace quorlin
