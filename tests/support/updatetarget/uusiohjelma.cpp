// Stand-in for an updated program file in the update tests: a real program
// of this machine, large enough to pass as a program file, that notes it was
// started. It writes "<data folder>/uusi_ohjelma.txt": the first line is the
// process id it was told to wait for, the rest is the settings file as it
// found it at start ("-" when there was none). Asked "--version", it answers
// as the program does, with the newer version "4.10".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Padding that keeps the file above the smallest accepted program size.
volatile const unsigned char kPadding[1200000] = {1};

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("VSselain 4.10");
        return 0;
    }
    const char *data = std::getenv("VSSELAIN_DATA_DIR");
    if (!data)
        return 1;
    const std::string folder(data);
    std::string settings;
    if (FILE *in = std::fopen((folder + "/VSselain.dat").c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            settings.append(buffer, n);
        std::fclose(in);
    } else {
        settings = "-";
    }
    const char *wait = std::getenv("VSSELAIN_WAIT_PID");
    const std::string note = std::string(wait ? wait : "") + "\n" + settings;
    const std::string temp = folder + "/uusi_ohjelma.tmp";
    FILE *out = std::fopen(temp.c_str(), "wb");
    if (!out)
        return 1;
    std::fwrite(note.data(), 1, note.size(), out);
    std::fclose(out);
    std::rename(temp.c_str(), (folder + "/uusi_ohjelma.txt").c_str());
    return kPadding[argc % 2] == 7 ? 2 : 0;
}
