// The baselines every figure is divided by, measured in the same run as the figures.

#include "bench_images.h"
#include "rom/rom_layout.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <vector>

namespace whoopline::bench {

namespace {

constexpr size_t FrameBytes = size_t(rom::ViewWidth) * rom::ViewHeight * 4;
constexpr size_t FileReadBytes = 4096;

void BM_FrameCopy(benchmark::State &state)
{
    // Written once so that neither buffer is backed by shared zero pages.
    std::vector<unsigned char> from(FrameBytes, 0x5A), to(FrameBytes, 0xA5);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), FrameBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(qint64(state.iterations()) * qint64(FrameBytes));
}
BENCHMARK(BM_FrameCopy)->Name("frame_copy");

// The plain system calls, no library between them and the file.
void BM_FileRead(benchmark::State &state)
{
    const QByteArray path = imagePath(BenchImage::Sample).toLocal8Bit();
    std::array<char, FileReadBytes> buffer{};
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("the sample image can't be opened");
            break;
        }
        const ssize_t read = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        if (read != ssize_t(buffer.size())) {
            state.SkipWithError("the sample image is shorter than one read");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FileRead)->Name("file_read");

} // namespace

} // namespace whoopline::bench
