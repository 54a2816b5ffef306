#include "check/ticket_file.h"

#include "common/text_reader.h"
#include "common/text_writer.h"

namespace quorlin {

namespace {

bool isBlankLine(const std::string& line)
{
    for (const char c : line)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

TicketFile refuse(std::string error)
{
    TicketFile file;
    file.error = std::move(error) + "。文件未载入。";
    return file;
}

} // namespace

TicketFile readTicketFile(const std::string& path, const TicketShape& shape)
{
    TextReader reader;
    if (!reader.open(path))
        return refuse(reader.error());
    TicketFile file;
    std::string line;
    while (reader.next(line)) {
        if (isBlankLine(line))
            continue;
        const std::string where = "第 " + std::to_string(reader.lineNumber()) + " 行：";
        if (file.tickets.size() >= kMaxTicketLines)
            return refuse(where + "票面超过 " + std::to_string(kMaxTicketLines) + " 行");
        std::string problem;
        const auto ticket = parseTicket(line, shape, problem);
        if (!ticket)
            return refuse(where + problem);
        file.tickets.push_back(*ticket);
    }
    if (reader.failed())
        return refuse(reader.error());
    file.ok = true;
    return file;
}

bool writeTicketFile(const std::vector<Ticket>& tickets, const std::string& path, std::string& error)
{
    TextWriter writer(path);
    for (const Ticket& ticket : tickets)
        if (!writer.writeLine(ticket.text()))
            break;
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

} // namespace quorlin
