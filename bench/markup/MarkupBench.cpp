// Loading and walking a large string table: the markup reader against
// pugixml on the same bytes, UTF-8 and UTF-16.

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdint>
#include <string>

#include "markup/MarkupReader.h"
#include "text/Utf16.h"

namespace {

// About 5.4 MB of UTF-8: 70,000 keys in a root section, a nested section
// every thousand keys, a mix of Latin, CJK and references, comments.
std::u16string MakeTable() {
  std::u16string doc = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BUTTONPAGE>\n";
  const std::u16string_view texts[] = {
      u"Assign a keyboard key to this button",
      u"\u4FDD\u5B58\u8BBE\u7F6E\u5E76\u5E94\u7528\u5230\u5F53\u524D\u914D\u7F6E\u6587\u4EF6",
      u"Copy &amp; paste the macro &lt;steps&gt; here",
      u"Enregistrer les param\u00E8tres du profil s\u00E9lectionn\u00E9 maintenant",
  };
  for (int i = 0; i < 70000; ++i) {
    if (i % 1000 == 999) doc += u"  <!-- section -->\n  <BUTTONPAGE>\n";
    const std::u16string name = u"KEY" + perix::DecimalText(i);
    doc += u"  <" + name + u">";
    doc += texts[i % 4];
    doc += u" " + perix::DecimalText(i * 7) + u"</" + name + u">\n";
    if (i % 1000 == 999) doc += u"  </BUTTONPAGE>\n";
  }
  doc += u"</BUTTONPAGE>\n";
  return doc;
}

const std::string& Utf8Bytes() {
  static const std::string bytes = perix::Utf16ToUtf8(MakeTable());
  return bytes;
}

const std::string& Utf16Bytes() {
  static const std::string bytes = [] {
    std::u16string doc = MakeTable();
    const std::u16string_view declaration = u"encoding=\"UTF-8\"";
    doc.replace(doc.find(declaration), declaration.size(), u"encoding=\"UTF-16\"");
    std::string out = "\xFF\xFE";
    for (char16_t c : doc) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    }
    return out;
  }();
  return bytes;
}

const std::string& Bytes(std::int64_t form) { return form == 8 ? Utf8Bytes() : Utf16Bytes(); }

std::size_t WalkReader(perix::MarkupReader& reader) {
  std::size_t total = 0;
  std::size_t depth = 0;
  reader.ResetPos();
  if (!reader.FindElem(u"BUTTONPAGE") || !reader.IntoElem()) return 0;
  for (;;) {
    if (reader.FindElem()) {
      if (reader.GetTagName() == u"BUTTONPAGE") {
        reader.IntoElem();
        ++depth;
      } else {
        total += reader.GetData().size();
      }
      continue;
    }
    // The end of a nested section: carry on after it.
    if (depth == 0 || !reader.OutOfElem()) break;
    --depth;
  }
  return total;
}

std::size_t WalkPugi(const pugi::xml_document& doc) {
  std::size_t total = 0;
  const pugi::xml_node root = doc.child("BUTTONPAGE");
  for (pugi::xml_node key = root.first_child(); key; key = key.next_sibling()) {
    if (key.type() != pugi::node_element) continue;
    if (std::string_view(key.name()) == "BUTTONPAGE") {
      for (pugi::xml_node inner = key.first_child(); inner; inner = inner.next_sibling()) {
        total += std::string_view(inner.child_value()).size();
      }
      continue;
    }
    total += std::string_view(key.child_value()).size();
  }
  return total;
}

void SetCounters(benchmark::State& state, const std::string& bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void ReaderLoad(benchmark::State& state) {
  const std::string& bytes = Bytes(state.range(0));
  for (auto _ : state) {
    perix::MarkupReader reader;
    if (!reader.LoadBytes(bytes)) state.SkipWithError("not well formed");
    benchmark::DoNotOptimize(reader.GetDoc().data());
  }
  SetCounters(state, bytes);
}

void PugiLoad(benchmark::State& state) {
  const std::string& bytes = Bytes(state.range(0));
  for (auto _ : state) {
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("pugixml failed");
    benchmark::DoNotOptimize(doc.first_child().name());
  }
  SetCounters(state, bytes);
}

void ReaderLoadAndWalk(benchmark::State& state) {
  const std::string& bytes = Bytes(state.range(0));
  for (auto _ : state) {
    perix::MarkupReader reader;
    reader.LoadBytes(bytes);
    benchmark::DoNotOptimize(WalkReader(reader));
  }
  SetCounters(state, bytes);
}

void PugiLoadAndWalk(benchmark::State& state) {
  const std::string& bytes = Bytes(state.range(0));
  for (auto _ : state) {
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(WalkPugi(doc));
  }
  SetCounters(state, bytes);
}

// Argument: 8 = UTF-8, 16 = UTF-16LE with a byte-order mark.
BENCHMARK(ReaderLoad)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(PugiLoad)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(ReaderLoadAndWalk)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(PugiLoadAndWalk)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
