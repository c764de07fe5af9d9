#include "gui/Session.h"

#include <cstddef>
#include <utility>

#include "builder/Parameters.h"
#include "gui/Form1Design.h"
#include "shared/Exceptions.h"

std::string SettingsFilePath;

namespace gui {

namespace {

constexpr const char* kSourceSection = "source";
constexpr const char* kOutputSection = "out";

// The arguments for the fields, in the options' order. A best-fit copy of a text would reach
// the builder and the history as another name: "\u03A9mega" as "Omega", a Cyrillic folder as
// question marks; the first such field is named.
std::vector<TBuilderArgument> Arguments(const std::vector<TFieldValue>& fields) {
    std::vector<TBuilderArgument> arguments;
    std::size_t i = 0;
    for (const TBuilderOption& option : kBuilderOptions) {
        const TFieldValue& field = fields.at(i++);
        if (TakesText(option.rule) && !field.text)
            throw Exception(std::string("The ") + LabelOf(option.field) +
                            " field contains characters that the system's code page cannot "
                            "represent, so the builder would receive other ones");
        arguments.push_back(
            {option.name, option.rule, field.text.value_or(""), field.checked, field.number});
    }
    return arguments;
}

// The text read for the option of that field.
const std::string& TextOf(const std::vector<TBuilderArgument>& arguments, ControlId field) {
    std::size_t i = 0;
    while (kBuilderOptions[i].field != field)
        ++i;
    return arguments[i].text;
}

} // namespace

TSession::TSession(THistory& sources, THistory& outputs, TSessionSystem system)
    : sources_(sources), outputs_(outputs), system_(std::move(system)) {}

std::string TSession::Create(const std::vector<TFieldValue>& fields,
                             const std::string& builderPath) {
    const std::vector<TBuilderArgument> arguments = Arguments(fields);
    const std::string& source = TextOf(arguments, idCmbSource);
    const std::string& output = TextOf(arguments, idCmbOutput);
    if (!system_.isFolder(source))
        throw Exception("The specified source does not exist");
    if (output.empty())
        throw Exception("You must specify an output vesk.");
    std::string parameters = BuildParameters(arguments, system_.isLead);
    // Texts too long for one command line would reach the builder cut short, without a word.
    if (!FitsOnCommandLine(builderPath, parameters))
        throw Exception("The texts are too long to be passed to the builder");
    sources_.Add(source);
    outputs_.Add(output);
    return parameters;
}

void TSession::LoadSettings(const std::string& path) {
    SettingsFilePath = path;
    settingsRead_ = !system_.settingsUnreadable(SettingsFilePath);
    if (!settingsRead_)
        throw EIniFileException("Unable to read " + SettingsFilePath);
    LoadHistory(sources_, kSourceSection);
    LoadHistory(outputs_, kOutputSection);
}

void TSession::LoadHistory(THistory& history, const std::string& section) {
    system_.withSettings(SettingsFilePath,
                         [&](TCustomIniFile& ini) { history.LoadFromIni(&ini, section); });
}

void TSession::SaveSettings() {
    // A failed save of one history must not lose the other's entries.
    RunEach([this] { SaveHistory(sources_, kSourceSection); },
            [this] { SaveHistory(outputs_, kOutputSection); });
}

void TSession::SaveHistory(THistory& history, const std::string& section) {
    if (!settingsRead_) {
        // The file could not be read at start, so this run's list does not hold what it
        // stores: keep that behind this run's entries, or leave the file alone.
        if (system_.settingsUnreadable(SettingsFilePath))
            throw EIniFileException("Unable to read " + SettingsFilePath);
        THistory stored;
        stored.SetMaxItems(history.MaxItems());
        LoadHistory(stored, section);
        history.AppendOlder(stored);
    }
    system_.withSettings(SettingsFilePath,
                         [&](TCustomIniFile& ini) { history.SaveToIni(&ini, section); });
}

} // namespace gui
