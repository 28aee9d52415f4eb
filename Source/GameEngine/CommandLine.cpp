#include "GameEngine/CommandLine.h"

#include "QuillmarchVersion.h"

#include <CLI/CLI.hpp>

void CommandLine::addVersionFlag(CLI::App& app)
{
    app.set_version_flag("--version", app.get_name() + " " + QuillmarchVersion::text,
                         "Print the version and exit");
    app.get_formatter()->column_width(30);
}

std::optional<int> CommandLine::parse(CLI::App& app, int argc, const char* const argv[], std::ostream& out,
                                      std::ostream& err)
{
    // CLI11 reports through exceptions; here they become a status, the one place they are caught.
    try
    {
        app.parse(argc, argv);
        return std::nullopt;
    }
    catch (const CLI::CallForHelp&)
    {
        out << app.help();
    }
    catch (const CLI::CallForAllHelp&)
    {
        out << app.help("", CLI::AppFormatMode::All);
    }
    catch (const CLI::CallForVersion&)
    {
        out << app.version() << '\n';
    }
    catch (const CLI::ParseError& failure)
    {
        err << app.get_name() << ": " << failure.what() << " (see --help)\n";
        return badUsageStatus;
    }
    return helpOrVersionStatus;
}
