@echo off
rem A log file name from the date and the time, without the separators,
rem whichever of "/", "-", "." and ":" the regional settings use
for /f "tokens=1-6 delims=/-.: " %%a in ('tikvan /DT') do set "stamp=%%a%%b%%c-%%d%%e%%f"
echo Backup started>> backup-%stamp%.log
echo Log file: backup-%stamp%.log
