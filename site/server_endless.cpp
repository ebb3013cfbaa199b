// The endless-body fault: an answer that goes on until the client stops
// reading.
#include <httplib.h>

#include <functional>
#include <string>

namespace kolde_site {

namespace {

// Lines of blank-separated words, 64 KiB at a time.
std::string filler()
{
    std::string line;
    while (line.size() < 1000)
        line += "FILLER ";
    line += '\n';
    std::string chunk;
    while (chunk.size() < 64 * 1024)
        chunk += line;
    return chunk;
}

}  // namespace

// Sends the answer's content, when it is a success, then filler while go_on
// holds and the client reads.
void make_endless(httplib::Response& res, std::function<bool()> go_on)
{
    std::string type = res.get_header_value("Content-Type");
    if (type.empty())
        type = "text/plain";
    // A handler that set no status answers 200.
    const bool success = res.status == -1 || (res.status >= 200 && res.status <= 299);
    std::string head = success ? std::move(res.body) : std::string();
    res.status = 200;
    res.body.clear();
    res.headers.erase("Content-Type");
    res.set_chunked_content_provider(
        type, [go_on = std::move(go_on), head = std::move(head), more = filler()](size_t offset,
                                                                                   httplib::DataSink& sink) {
            if (!go_on())
                return false;
            if (offset == 0 && !head.empty())
                return sink.write(head.data(), head.size());
            return sink.write(more.data(), more.size());
        });
}

}  // namespace kolde_site
