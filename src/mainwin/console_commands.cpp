#include "mainwin/console_commands.h"

#include "core/shared.h"
#include "platform/store.h"

namespace kolde_sub {

namespace {

// The command words tested after the dictionary words and "SS ", in their
// order, each with whether it needs the network. The group ids come between
// "AIS" and "ATO".
struct Word {
    const char* text;
    ConsoleCommand command;
    bool network;
};

constexpr Word before_groups[] = {
        {"COUNTER", ConsoleCommand::Counter, true},
        {"HELP", ConsoleCommand::Help, true},
        // The AIS page tests the connection itself.
        {"AIS", ConsoleCommand::Ais, false},
};

constexpr Word after_groups[] = {
        {"ATO", ConsoleCommand::AutoStart, true},     {"PRINT", ConsoleCommand::Print, false},
        {"/P", ConsoleCommand::Print, false},         {"RL", ConsoleCommand::Reload, true},
        {"CLS", ConsoleCommand::Clear, false},        {"DE", ConsoleCommand::DecodeList, true},
        {"GP", ConsoleCommand::GroupList, true},      {"AP", ConsoleCommand::AirportList, false},
        {"WX", ConsoleCommand::Chart, true},          {"CAM", ConsoleCommand::Camera, true},
        {"LOG", ConsoleCommand::Log, false},          {"EXIT", ConsoleCommand::Exit, false},
};

ConsoleLine command_line(ConsoleCommand command, bool network, bool online)
{
    ConsoleLine out;
    out.command = command;
    out.no_connection = network && !online;
    return out;
}

template <std::size_t N>
const Word* find_word(const Word (&words)[N], const QString& line)
{
    for (const Word& w : words)
        if (line == QLatin1String(w.text))
            return &w;
    return nullptr;
}

}  // namespace

QString console_line(const QString& typed) { return trim_blanks(typed).toUpper(); }

ConsoleLine classify_console_line(const QString& line, const ConsoleFacts& facts)
{
    const bool online = facts.online;
    if (line.isEmpty())
        return {};
    if (line == QLatin1String("UPDATE"))
        return command_line(ConsoleCommand::Update, true, online);
    if (line == QLatin1String("JAPANESE"))
        return command_line(ConsoleCommand::Japanese, false, online);
    if (line == QLatin1String("PICTURE"))
        return command_line(ConsoleCommand::Picture, false, online);
    if (line == QLatin1String("RESET"))
        return command_line(ConsoleCommand::Reset, true, online);
    if (facts.is_word && facts.is_word(line))
        return command_line(ConsoleCommand::Word, false, online);
    if (line.startsWith(QLatin1String("SS ")))
        return command_line(ConsoleCommand::SunTimes, false, online);
    if (const Word* w = find_word(before_groups, line))
        return command_line(w->command, w->network, online);
    if (facts.is_group && facts.is_group(line))
        return command_line(ConsoleCommand::Group, false, online);
    if (const Word* w = find_word(after_groups, line))
        return command_line(w->command, w->network, online);
    // Offline, nothing is tested as a code list.
    if (!online)
        return command_line(ConsoleCommand::NoNetwork, false, online);
    if (const std::optional<TypedRequest> request = typed_request(line)) {
        ConsoleLine out = command_line(ConsoleCommand::Codes, false, online);
        out.request = *request;
        return out;
    }
    return command_line(ConsoleCommand::SyntaxError, false, online);
}

std::optional<QString> group_route(platform::Recordset& groups, const QString& id)
{
    if (groups.record_count() == 0)
        return std::nullopt;
    groups.move_first();
    while (!groups.eof()) {
        const platform::Value v = groups.field(QStringLiteral("id"));
        if (!v.is_null() && v.to_text() == id)
            return groups.field(QStringLiteral("route")).to_text();
        groups.move_next();
    }
    return std::nullopt;
}

}  // namespace kolde_sub
