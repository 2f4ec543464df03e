// hsq2600: the desktop control application.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>

#include "app/demo_processor.h"
#include "app/language.h"
#include "config/config_folder.h"
#include "program/application_window.h"
#include "ui/tour_recorder.h"

namespace {

struct Options {
    bool demo = false;
    std::optional<std::string> tourFolder;
};

Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--demo") options.demo = true;
        if (arguments[i] == "--tour" && i + 1 < arguments.size()) options.tourFolder = arguments[++i];
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    Options options = ParseOptions(arguments);
    if (!options.tourFolder && !hsq::DisplayAvailable()) {
        options.tourFolder = "hsq2600-tour";
        std::fprintf(stderr, "No display found: saving a tour of every window into %s instead.\n",
                     options.tourFolder->c_str());
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);

    std::unique_ptr<hsq::DemoProcessor> demo;
    std::filesystem::path folder = hsq::ResolveConfigFolder(arguments, std::getenv("HSQ2600_CONFIG_DIR"));
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
    }

    const int languageId = hsq::SystemLanguageId(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                                 std::getenv("LANG"));
    hsq::SystemClock clock;
    std::unique_ptr<hsq::TourRecorder> tour;
    if (options.tourFolder) tour = std::make_unique<hsq::TourRecorder>(QString::fromStdString(*options.tourFolder));
    hsq::CHSQ2600ObjApp app(clock, folder, tour.get());
    if (!tour) return app.Run(languageId);
    const int result = app.RunTour(languageId);
    std::fprintf(stderr, "Tour: %d pictures in %s\n", tour->Saved(), options.tourFolder->c_str());
    return result;
}
