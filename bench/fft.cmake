# bench_fft: TFFT's Transform (N = 1024) and RealSpectrum (2048 samples)
# against KissFFT and FFTW (single precision), in the same run.
find_package(benchmark REQUIRED)
find_package(kissfft CONFIG REQUIRED COMPONENTS SHARED float)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FFTW3F REQUIRED IMPORTED_TARGET fftw3f)

add_executable(bench_fft ${CMAKE_CURRENT_LIST_DIR}/bench_fft.cpp)
target_link_libraries(bench_fft PRIVATE
  quellix_fft benchmark::benchmark kissfft::kissfft PkgConfig::FFTW3F)
