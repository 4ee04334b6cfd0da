#include <cstdio>

int main() {
    std::fprintf(stderr, "Tarvolin Vendrill: the main window is not built yet; nothing to start.\n");
    return 0;
}
