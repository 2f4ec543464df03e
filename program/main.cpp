// hsq2600: the desktop control application.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include <QApplication>
#include <QCommandLineParser>

#include "app/demo_processor.h"
#include "app/language.h"
#include "config/config_folder.h"
#include "program/application_window.h"
#include "ui/tour_recorder.h"

namespace {

// As hsq2600ctl: a command line it cannot take.
constexpr int kExitUsage = 2;

struct Options {
    bool demo = false;
    std::optional<std::string> tourFolder;
    std::string configFolder;
};

// The options, or the exit status when the command line was only a question or was wrong. Read
// before the windows exist, so that --help needs no display.
std::variant<Options, int> ReadCommandLine(int argc, char** argv) {
    QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationVersion(HSQ_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription("Controls the HSQ2600 video processor.");
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption demo(
        "demo", "Runs against a simulated processor with a temporary copy of the configuration.");
    const QCommandLineOption tour(
        "tour", "Shows every window in both languages, saves a picture of each into DIR, ends.",
        "DIR");
    const QCommandLineOption configFolder(
        "config-dir",
        "The configuration folder (default: HSQ2600_CONFIG_DIR, else SystemINI beside the "
        "program, else ~/.config/hsq2600/SystemINI).",
        "DIR");
    parser.addOptions({help, demo, tour, configFolder});

    const bool understood = parser.parse(QCoreApplication::arguments());
    if (!understood || !parser.positionalArguments().isEmpty()) {
        const QString why = understood
                                ? "Unexpected argument '" + parser.positionalArguments()[0] + "'."
                                : parser.errorText();
        std::fprintf(stderr, "hsq2600: %s\n\n%s", qPrintable(why), qPrintable(parser.helpText()));
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        std::printf("hsq2600 %s\n", HSQ_VERSION);
        return EXIT_SUCCESS;
    }
    Options options;
    options.demo = parser.isSet(demo);
    if (parser.isSet(tour)) options.tourFolder = parser.value(tour).toStdString();
    options.configFolder = parser.value(configFolder).toStdString();
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const std::variant<Options, int> commandLine = ReadCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&commandLine)) return *status;
    Options options = std::get<Options>(commandLine);
    if (!options.tourFolder && !hsq::DisplayAvailable()) {
        options.tourFolder = "hsq2600-tour";
        std::fprintf(stderr, "No display found: saving a tour of every window into %s instead.\n",
                     options.tourFolder->c_str());
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);

    // The demo works on its own copy: the operator's folder is neither read nor seeded.
    std::unique_ptr<hsq::DemoProcessor> demo;
    std::filesystem::path folder;
    if (options.demo) {
        demo = std::make_unique<hsq::DemoProcessor>();
        std::string error;
        if (!demo->Start(error)) {
            std::fprintf(stderr, "hsq2600 --demo: %s\n", error.c_str());
            return 1;
        }
        folder = demo->ConfigFolder();
        std::fprintf(stderr, "Demo: simulated processor on %s, configuration in %s\n",
                     demo->LinePath().c_str(), folder.c_str());
    } else {
        folder = hsq::ResolveConfigFolder(
            options.configFolder,
            hsq::ConfigFolderPlaces::OfThisProcess(std::getenv("HSQ2600_CONFIG_DIR")));
    }

    const int languageId = hsq::SystemLanguageId(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                                 std::getenv("LANG"));
    hsq::SystemClock clock;
    std::unique_ptr<hsq::TourRecorder> tour;
    if (options.tourFolder) tour = std::make_unique<hsq::TourRecorder>(QString::fromStdString(*options.tourFolder));
    hsq::CHSQ2600ObjApp app(clock, folder, tour.get());
    if (demo) app.MarkSimulated();
    if (!tour) return app.Run(languageId);
    const int result = app.RunTour(languageId);
    std::fprintf(stderr, "Tour: %d pictures in %s\n", tour->Saved(), options.tourFolder->c_str());
    return result;
}
