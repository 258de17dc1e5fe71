#pragma once
// The progress indicator a measurement drives while it works, and the hook that lets the program
// process pending window messages between rows. The program adapts it to a QProgressBar; the
// batch tool passes none. The indicator belongs to the caller and must outlive the measurement.

namespace velmo {

class Progresso {
 public:
  virtual ~Progresso() = default;
  virtual int Min() const = 0;
  virtual int Max() const = 0;
  virtual void SetMax(int max) = 0;
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;
  // Called once per row of every pixel pass; an adapter may throttle the real work.
  virtual void ProcessarMensagens() = 0;
};

}  // namespace velmo
