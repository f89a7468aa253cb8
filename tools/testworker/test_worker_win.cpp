// A stand-in for a plant process's worker, for tests under Wine: it loads a plant file and runs
// the plant program's worker on it with the real jobs (simulate, save, render; no dialog and no
// desktop), asking for ten steps every 20 ms until it is killed.
//
//   plant_app_test_worker plant.plt
#include <windows.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "app/plant_worker_jobs_win.h"
#include "app/render_permission.h"
#include "app/worker_thread_win.h"
#include "plant/file_ops.h"
#include "plant/plant_file.h"
#include "plant/plant_picture_win.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: plant_app_test_worker plant.plt\n");
    return 2;
  }
  constexpr int32_t kScreenWidth = 1024;
  constexpr int32_t kScreenHeight = 768;
  plant::Plant& plant = plant::CurrentPlant();
  plant.path = argv[1];
  plant.screenWidth = kScreenWidth;
  plant.screenHeight = kScreenHeight;
  std::string why;
  if (plant::LoadPlantFile(plant, plant::SystemFileOps(), std::time(nullptr), &why) !=
      plant::LoadResult::Ok) {
    std::fprintf(stderr, "plant_app_test_worker: %s\n", why.c_str());
    return 3;
  }
  plantapp::RenderPermission permission;
  permission.StartAt(kScreenWidth, kScreenHeight);
  plantapp::PlantWorker worker;
  plantapp::PlantWorkerJobs jobs(plantapp::PlantWorkerParts{plant, plant::CurrentPicture(), permission,
                                                            worker.Words(), worker.Running(), nullptr,
                                                            nullptr, nullptr});
  const std::string fileName = plant.path.substr(plant.path.find_last_of("\\/") + 1);
  if (worker.Start(fileName, jobs, 0, false) != plantapp::WorkerStart::Started) {
    return 4;
  }
  for (;;) {
    Sleep(20);
    worker.Request(10, plantapp::WorkerCommand::Run);
  }
}
