// The daily-job hooks of the maintenance services.
#include "maintenance/daily_jobs_win.h"

#include "framework/app/zrf_app_win.h"
#include "maintenance/scheduled_archive_win.h"
#include "maintenance/update_check_win.h"

void UseMaintenanceDailyJobs() {
  gApp.checkForUpdateIfDue = CheckForUpdateIfDue;
  gApp.archiveConfigIfDue = ArchiveConfigIfDue;
  gApp.scheduledArchiveFolder = ScheduledArchiveFolder;
}
