#include "gui/Session.h"

#include <utility>

#include "History/SettingsPath.h"
#include "builder/BuilderPath.h"
#include "shared/Exceptions.h"

namespace gui {

namespace {

constexpr const char* kSourceSection = "source";
constexpr const char* kOutputSection = "out";

// A best-fit copy of a text would reach the builder and the history as another name:
// "\u03A9mega" as "Omega", a Cyrillic folder as question marks.
void RefuseInexact(const builder::TBuilderArgument& argument) {
    if (builder::TakesText(argument.rule) && !argument.text)
        throw EFieldRefusal(CodePageRefusal(argument.label), argument.field);
}

// Said once at start, and again by "Create!", which can then start nothing.
constexpr const char* kExeBeyondCodePage =
    "This program's path has characters that the system's code page cannot represent, and "
    "the system keeps no short name for it, so the builder and the settings file beside the "
    "program cannot be reached. Move the program to a folder whose name the code page can "
    "hold (and rename it where its own name has such characters)";

} // namespace

std::string CodePageRefusal(const std::string& label) {
    return "The " + label +
           " field contains characters that the system's code page cannot represent, so the "
           "builder would receive other ones";
}

TSession::TSession(History::THistory& sources, History::THistory& outputs, TSessionSystem system)
    : sources_(sources), outputs_(outputs), system_(std::move(system)),
      settingsPath_(History::SettingsPathFor(system_.exePath, system_.isLead)) {}

void TSession::Create(const builder::TBuilderArguments& arguments) {
    const builder::TBuilderArgument& source = arguments.source;
    const builder::TBuilderArgument& output = arguments.output;
    if (system_.exeBeyondCodePage)
        throw shared::Exception(kExeBeyondCodePage);
    // The source's own refusal comes first: its best-fit copy could name another folder that
    // exists. The other fields are refused after the two checks of the paths.
    RefuseInexact(source);
    if (!system_.isFolder(*source.text))
        throw EFieldRefusal(kSourceMissing, source.field);
    if (output.text && output.text->empty())
        throw EFieldRefusal("You must specify an output vesk.", output.field);
    RefuseInexact(output);
    for (const builder::TBuilderArgument& option : arguments.options)
        RefuseInexact(option);
    const std::string builderPath = builder::BuilderPathFor(system_.exePath, system_.isLead);
    const std::string parameters = builder::BuildParameters(arguments, system_.isLead);
    // Texts too long for one command line would reach the builder cut short, without a word.
    if (!builder::FitsOnCommandLine(builderPath, parameters))
        throw shared::Exception("The texts are too long to be passed to the builder");
    sources_.Add(*source.text);
    outputs_.Add(*output.text);
    // A bare name would be looked for along the search path, where anything may lie.
    if (builderPath.empty())
        throw shared::Exception("Unable to start VKB.exe: the folder of this program is unknown");
    system_.launch(builderPath, parameters);
}

void TSession::LoadSettings() {
    if (system_.exeBeyondCodePage)
        throw shared::Exception(kExeBeyondCodePage);
    if (settingsPath_.empty())
        throw shared::EIniFileException(
            "The folder of this program is unknown, so its recent entries "
            "cannot be kept");
    settingsRead_ = !system_.settingsUnreadable(settingsPath_);
    if (!settingsRead_)
        throw shared::EIniFileException("Unable to read " + settingsPath_);
    // One opening for both: each would look for the file and work out its short name again.
    system_.withSettings(settingsPath_, [&](History::TCustomIniFile& ini) {
        sources_.LoadFromIni(&ini, kSourceSection);
        outputs_.LoadFromIni(&ini, kOutputSection);
    });
}

void TSession::LoadHistory(History::THistory& history, const std::string& section) {
    system_.withSettings(settingsPath_,
                         [&](History::TCustomIniFile& ini) { history.LoadFromIni(&ini, section); });
}

void TSession::SaveSettings() {
    // Said once at start; there is nowhere to save to.
    if (settingsPath_.empty())
        return;
    // A failed save of one history must not lose the other's entries.
    shared::RunEach([this] { SaveHistory(sources_, kSourceSection); },
                    [this] { SaveHistory(outputs_, kOutputSection); });
}

void TSession::SaveHistory(History::THistory& history, const std::string& section) {
    // Another copy of the program in the folder may have recorded entries since the start, and
    // a file that could not be read at start still holds its own: kept behind this run's.
    if (!system_.settingsUnreadable(settingsPath_)) {
        History::THistory stored;
        stored.SetMaxItems(history.MaxItems());
        LoadHistory(stored, section);
        history.AppendOlder(stored);
    } else if (!settingsRead_) {
        // Never read, it is never rewritten from this run's lists alone.
        throw shared::EIniFileException("Unable to read " + settingsPath_ +
                                        ", so this run's recent entries were not saved");
    }
    system_.withSettings(settingsPath_,
                         [&](History::TCustomIniFile& ini) { history.SaveToIni(&ini, section); });
}

} // namespace gui
