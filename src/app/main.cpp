#include "app/Application.h"

#include <clocale>

int main(int, char** argv) {
    // Number texts are always C-locale (ini files, scripts, printf).
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    return App::run(App::startupTable(), argv[0]);
}
