// The manifest: UTF-8 XML with a standalone declaration, and exactly the elements that bind
// the program to version 6 of the common controls.
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "MediaBytes.h"

namespace media_test {
namespace {

using Attributes = std::map<std::string, std::string>;

struct Element {
    std::string path;  // e.g. "assembly/dependency"
    Attributes attributes;
};

// A small reader for the manifest's plain XML: tags, attributes and nesting only.
std::vector<Element> ReadElements(const std::string& xml) {
    static const std::regex tag(R"(<(/?)([A-Za-z][\w.:-]*)([^>]*?)(/?)>)");
    static const std::regex attribute(R"re(([\w.:-]+)\s*=\s*"([^"]*)")re");
    std::vector<Element> elements;
    std::vector<std::string> open;
    for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1] == "/") {
            EXPECT_FALSE(open.empty());
            if (!open.empty()) {
                EXPECT_EQ(open.back(), m[2].str());
                open.pop_back();
            }
            continue;
        }
        std::string path;
        for (const std::string& name : open) path += name + "/";
        Element e{path + m[2].str(), {}};
        const std::string attrs = m[3];
        for (std::sregex_iterator a(attrs.begin(), attrs.end(), attribute); a != end; ++a)
            e.attributes[(*a)[1]] = (*a)[2];
        elements.push_back(e);
        if (m[4] != "/") open.push_back(m[2]);
    }
    EXPECT_TRUE(open.empty()) << "unclosed elements";
    return elements;
}

std::string Manifest() {
    const Bytes b = LoadMedia("Quillfen2b.manifest");
    return std::string(b.begin(), b.end());
}

TEST(Manifest, IsStandaloneUtf8Xml) {
    const std::string xml = Manifest();
    EXPECT_EQ(xml.size(), 581u);
    EXPECT_EQ(xml.rfind(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)", 0), 0u);
    for (unsigned char c : xml) EXPECT_LT(c, 0x80) << "plain ASCII is valid UTF-8";
}

TEST(Manifest, HasExactlyTheRequiredElementsAndAttributes) {
    const std::vector<Element> elements = ReadElements(Manifest());
    ASSERT_EQ(elements.size(), 5u);
    const std::string kId = "assembly/dependency/dependentAssembly/assemblyIdentity";
    // The application's own name is ours to choose; it only has to be there.
    const auto named = elements[1].attributes.find("name");
    const std::string appName = named == elements[1].attributes.end() ? "" : named->second;
    EXPECT_FALSE(appName.empty());
    const std::vector<Element> expected = {
        {"assembly", {{"xmlns", "urn:schemas-microsoft-com:asm.v1"}, {"manifestVersion", "1.0"}}},
        {"assembly/assemblyIdentity",
         {{"type", "win32"},
          {"name", appName},
          {"version", "1.0.0.0"},
          {"processorArchitecture", "*"}}},
        {"assembly/dependency", {}},
        {"assembly/dependency/dependentAssembly", {}},
        {kId,
         {{"type", "win32"},
          {"name", "Microsoft.Windows.Common-Controls"},
          {"version", "6.0.0.0"},
          {"publicKeyToken", "6595b64144ccf1df"},
          {"language", "*"},
          {"processorArchitecture", "*"}}},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(elements[i].path, expected[i].path);
        EXPECT_EQ(elements[i].attributes, expected[i].attributes) << expected[i].path;
    }
}

}  // namespace
}  // namespace media_test
