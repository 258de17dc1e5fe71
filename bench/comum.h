#pragma once
// What the benchmarks share: processor and wall time of a job, the time to read a file from the
// page cache (the physical limit every measurement is compared with), the peak memory of a fresh
// process that runs one job, and the timing of a program run as its own process.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bmp.h"

namespace velmo::bench {

// The machine may be shared: processor time does not depend on the load, wall time does.
struct Tempo {
  double parede = 0;
  double cpu = 0;
};

inline double CpuDoProcesso() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <class Tarefa>
Tempo Cronometrar(Tarefa tarefa) {
  const auto inicio = std::chrono::steady_clock::now();
  const double cpu = CpuDoProcesso();
  tarefa();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count(),
          CpuDoProcesso() - cpu};
}

// Reads the whole file through a page-aligned 1 MB buffer, as fast as the page cache delivers it
// (the kernel copies into a malloc'ed, unaligned buffer about three times slower).
inline void LerArquivo(const std::string& caminho) {
  static std::vector<char, AlocadorDePaginas<char>> buffer(1 << 20);
  const int fd = open(caminho.c_str(), O_RDONLY);
  if (fd < 0) {
    std::perror(caminho.c_str());
    std::exit(1);
  }
  while (read(fd, buffer.data(), buffer.size()) > 0) {
  }
  close(fd);
}

// The median of each side over rounds that alternate between the sides, so that a change in the
// machine's load falls on all of them alike.
inline std::vector<Tempo> Medianas(const std::vector<std::function<void()>>& lados, int rodadas) {
  std::vector<std::vector<Tempo>> tempos(lados.size());
  for (int r = 0; r < rodadas; ++r) {
    for (size_t i = 0; i < lados.size(); ++i) {
      tempos[i].push_back(Cronometrar(lados[i]));
    }
  }
  std::vector<Tempo> medianas;
  for (auto& t : tempos) {
    Tempo m;
    std::vector<double> parede, cpu;
    for (const Tempo& x : t) {
      parede.push_back(x.parede);
      cpu.push_back(x.cpu);
    }
    std::sort(parede.begin(), parede.end());
    std::sort(cpu.begin(), cpu.end());
    medianas.push_back({parede[parede.size() / 2], cpu[cpu.size() / 2]});
  }
  return medianas;
}

// One run of a program as its own process: wall time, processor time (user and system) and the
// peak resident memory the kernel reports for it.
struct Execucao {
  Tempo tempo;
  long memoriaKb = 0;
};

// Runs `argumentos` (the program's path first) with its standard output thrown away; stops the
// benchmark when the program fails.
inline Execucao RodarProcesso(std::vector<std::string> argumentos) {
  std::vector<char*> argv;
  for (auto& a : argumentos) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
  const auto inicio = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int estado = -1;
  rusage uso{};
  if (posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), environ) == 0) {
    wait4(pid, &estado, 0, &uso);
  }
  const double parede =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  posix_spawn_file_actions_destroy(&acoes);
  if (estado != 0) {
    std::fprintf(stderr, "%s terminou com o estado %d\n", argv[0], estado);
    std::exit(1);
  }
  auto segundos = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  return {{parede, segundos(uso.ru_utime) + segundos(uso.ru_stime)}, uso.ru_maxrss};
}

// Runs `programa` with `argumentos` as a fresh process and returns the peak resident memory it
// prints with ImprimirPico. (The kernel's ru_maxrss of a spawned child also counts the parent's
// memory at the time of the spawn, so the child reports its own.)
inline double PicoDeMemoria(const std::string& programa,
                            const std::vector<std::string>& argumentos) {
  std::string comando = "'" + programa + "'";
  for (const auto& a : argumentos) {
    comando += " '" + a + "'";
  }
  std::fflush(stdout);
  FILE* filho = popen(comando.c_str(), "r");
  double pico = 0;
  char linha[256];
  while (filho && std::fgets(linha, sizeof linha, filho)) {
    if (std::sscanf(linha, "pico %lf", &pico) != 1) {
      std::fputs(linha, stdout);
    }
  }
  if (!filho || pclose(filho) != 0 || pico == 0) {
    std::fprintf(stderr, "o processo filho falhou: %s\n", comando.c_str());
    std::exit(1);
  }
  return pico;
}

// Prints this process's peak resident memory (VmHWM) for PicoDeMemoria.
inline void ImprimirPico() {
  std::ifstream status("/proc/self/status");
  std::string linha;
  while (std::getline(status, linha)) {
    if (linha.rfind("VmHWM:", 0) == 0) {
      std::printf("pico %.0f\n", std::stod(linha.substr(6)) * 1024);
    }
  }
}

// This process's resident memory now, in bytes.
inline double MemoriaResidente() {
  std::ifstream statm("/proc/self/statm");
  double total = 0, residente = 0;
  statm >> total >> residente;
  return residente * double(sysconf(_SC_PAGESIZE));
}

inline double Mb(double bytes) {
  return bytes / (1024.0 * 1024.0);
}

}  // namespace velmo::bench
