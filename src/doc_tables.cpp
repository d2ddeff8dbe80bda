// The lists the documents show, written from where they are kept:
//   doc_tables notations            the notation names, one line (manual page)
//   doc_tables keys-man KEYS        the keys table as manual page paragraphs
//   doc_tables check SOURCE_DIR     the README and the guide show the keys table
//                                   as it is, and it names every key the
//                                   widgets bind; exit 1 saying what differs
//   doc_tables update SOURCE_DIR    writes the table into the README and guide
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/notations.h"
#include "core/text.h"

namespace {

namespace fs = std::filesystem;

struct KeyRow {
    std::string where, keys, what;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<KeyRow> ReadKeys(const fs::path& path) {
    std::vector<KeyRow> rows;
    std::istringstream lines(ReadFile(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> cells = velmor::Split(line, '\t');
        if (cells.size() == 3)
            rows.push_back({cells[0], cells[1], cells[2]});
        else
            std::cerr << path.string() << ": not three cells: " << line << "\n";
    }
    return rows;
}

// "Ctrl+Tab, Ctrl+PageDown" -> "Ctrl+Tab", "Ctrl+PageDown".
std::vector<std::string> Chords(const std::string& keys) {
    std::vector<std::string> chords;
    for (const std::string& chord : velmor::Split(keys, ',')) {
        chords.emplace_back(velmor::TrimSpaces(chord));
    }
    return chords;
}

// "Ctrl+Shift+Tab, Ctrl+PageUp" -> Ctrl, Shift, Tab, PageUp; "+" stays a key.
std::set<std::string> KeyNames(const std::vector<KeyRow>& rows) {
    std::set<std::string> names;
    for (const KeyRow& row : rows) {
        for (const std::string& trimmed : Chords(row.keys)) {
            if (trimmed == "+") {
                names.insert(trimmed);
                continue;
            }
            for (const std::string& key : velmor::Split(trimmed, '+')) names.insert(key);
        }
    }
    return names;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string Markdown(const std::vector<KeyRow>& rows) {
    std::string out = "| Where | Key | What it does |\n|---|---|---|\n";
    for (const KeyRow& row : rows)
        out += "| " + row.where + " | " + row.keys + " | " + row.what + " |\n";
    return out;
}

std::string Html(const std::vector<KeyRow>& rows) {
    std::string out = "<tr><th>Where</th><th>Key</th><th>What it does</th></tr>\n";
    for (const KeyRow& row : rows) {
        std::string keys;
        for (const std::string& trimmed : Chords(row.keys)) {
            if (!keys.empty()) keys += ", ";
            // Words ("arrow keys", "the wheel") are not keys to press as written.
            keys += trimmed.find(' ') == std::string::npos ? "<kbd>" + Escaped(trimmed) + "</kbd>"
                                                           : Escaped(trimmed);
        }
        out += "<tr><td>" + Escaped(row.where) + "</td><td>" + keys + "</td><td>" +
               Escaped(row.what) + "</td></tr>\n";
    }
    return out;
}

// A hyphen is a minus sign in a manual page, and a line may not start with a dot.
std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '-' || c == '\\') out += '\\';
        out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::string Manual(const std::vector<KeyRow>& rows) {
    std::string out;
    for (const KeyRow& row : rows) {
        out += ".TP\n.B \"" + Roff(row.keys) + "\"\n" + Roff(row.where) + ": " + Roff(row.what) +
               ".\n";
    }
    return out;
}

constexpr const char* kEnd = "<!-- /keys -->";

// The text between a document's "<!-- keys" marker line and its end marker.
bool Section(const std::string& text, std::size_t& begin, std::size_t& end) {
    const std::size_t marker = text.find("<!-- keys");
    if (marker == std::string::npos) return false;
    begin = text.find('\n', marker);
    end = text.find(kEnd, marker);
    if (begin == std::string::npos || end == std::string::npos || end < begin) return false;
    ++begin;
    return true;
}

struct Document {
    fs::path path;
    std::string table;
};

std::vector<Document> Documents(const fs::path& source, const std::vector<KeyRow>& rows) {
    return {{source / "README.md", Markdown(rows)}, {source / "docs/guide/index.html", Html(rows)}};
}

// The keys the widgets bind, as the table names them.
std::map<std::string, std::string> BoundKeys(const fs::path& source) {
    static const std::map<std::string, std::string> kNames = {
        {"Return", "Enter"},     {"Enter", "Enter"},    {"Escape", "Esc"},
        {"Plus", "+"},           {"Equal", "="},        {"Minus", "-"},
        {"BracketLeft", "["},    {"BracketRight", "]"}, {"Left", "arrow keys"},
        {"Right", "arrow keys"}, {"Up", "arrow keys"},  {"Down", "arrow keys"},
        {"Backtab", "Tab"},      {"Paste", "V"},        {"Delete", "Delete"}};
    std::map<std::string, std::string> bound;  // name -> where it was seen
    const std::regex key(R"(Qt::Key_(\w+)|QKeySequence::(Paste|Delete|Copy|Cut|Undo|Redo)\b)");
    for (const auto& entry : fs::recursive_directory_iterator(source / "src/ui")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        const std::string text = ReadFile(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), key), done; it != done; ++it) {
            const std::string raw = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
            const auto named = kNames.find(raw);
            bound.emplace(named == kNames.end() ? raw : named->second,
                          fs::relative(entry.path(), source).string());
        }
    }
    return bound;
}

int Check(const fs::path& source) {
    const std::vector<KeyRow> rows = ReadKeys(source / "docs/keys.tsv");
    int faults = 0;
    for (const Document& document : Documents(source, rows)) {
        const std::string text = ReadFile(document.path);
        std::size_t begin = 0, end = 0;
        if (!Section(text, begin, end)) {
            std::cerr << document.path.string() << ": no keys table between markers\n";
            ++faults;
        } else if (text.substr(begin, end - begin) != document.table) {
            std::cerr << document.path.string()
                      << ": the keys table differs from docs/keys.tsv; run doc_tables update\n";
            ++faults;
        }
    }
    const std::set<std::string> named = KeyNames(rows);
    for (const auto& [key, where] : BoundKeys(source)) {
        if (!named.count(key)) {
            std::cerr << where << " binds " << key << ", which docs/keys.tsv does not name\n";
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}

int Update(const fs::path& source) {
    const std::vector<KeyRow> rows = ReadKeys(source / "docs/keys.tsv");
    for (const Document& document : Documents(source, rows)) {
        std::string text = ReadFile(document.path);
        std::size_t begin = 0, end = 0;
        if (!Section(text, begin, end)) {
            std::cerr << document.path.string() << ": no keys table between markers\n";
            return 1;
        }
        text.replace(begin, end - begin, document.table);
        std::ofstream(document.path, std::ios::binary) << text;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "notations") {
        std::printf("%s", velmor::NotationNameList().c_str());
        return 0;
    }
    if (argc == 3 && command == "keys-man") {
        std::fputs(Manual(ReadKeys(argv[2])).c_str(), stdout);
        return 0;
    }
    if (argc == 3 && command == "check") return Check(argv[2]);
    if (argc == 3 && command == "update") return Update(argv[2]);
    std::fputs(
        "usage: doc_tables notations | keys-man KEYS | check SOURCE_DIR | update SOURCE_DIR\n",
        stderr);
    return 2;
}
