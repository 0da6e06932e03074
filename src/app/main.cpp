// The desktop program ravo.
#include "gui/application.h"

int main(int argc, char** argv) {
    gui::Application app(argc, argv);
    return app.run();
}
