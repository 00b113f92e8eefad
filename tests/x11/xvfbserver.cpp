#include "xvfbserver.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace x11test {

namespace {

bool isExecutable (const std::string& path)
{
	struct stat st;
	return stat (path.c_str (), &st) == 0 && S_ISREG (st.st_mode) && access (path.c_str (), X_OK) == 0;
}

} // namespace

std::string XvfbServer::findProgram ()
{
	if (const char* path = std::getenv ("PATH"))
	{
		std::stringstream dirs (path);
		std::string dir;
		while (std::getline (dirs, dir, ':'))
			if (!dir.empty () && isExecutable (dir + "/Xvfb"))
				return dir + "/Xvfb";
	}
	return isExecutable ("/usr/bin/Xvfb") ? "/usr/bin/Xvfb" : std::string ();
}

bool XvfbServer::start (std::string& error, const std::string& screen)
{
	if (pid > 0)
		return true;
	const std::string program = findProgram ();
	if (program.empty ())
	{
		error = "no Xvfb program";
		return false;
	}
	int fds[2];
	if (pipe (fds) != 0)
	{
		error = std::string ("pipe: ") + std::strerror (errno);
		return false;
	}
	const std::string writeFd = std::to_string (fds[1]);
	pid = fork ();
	if (pid < 0)
	{
		error = std::string ("fork: ") + std::strerror (errno);
		close (fds[0]);
		close (fds[1]);
		return false;
	}
	if (pid == 0)
	{
		close (fds[0]);
		// Xvfb's keymap compiler warnings are noise in the test log.
		int devNull = open ("/dev/null", O_WRONLY);
		if (devNull >= 0)
		{
			dup2 (devNull, STDOUT_FILENO);
			dup2 (devNull, STDERR_FILENO);
		}
		execl (program.c_str (), "Xvfb", "-displayfd", writeFd.c_str (), "-screen", "0", screen.c_str (),
		       "-nolisten", "tcp", "-noreset", static_cast<char*> (nullptr));
		_exit (127);
	}
	close (fds[1]);

	// Xvfb writes "N\n" once it accepts connections.
	std::string number;
	const auto deadline = std::chrono::steady_clock::now () + std::chrono::seconds (20);
	while (number.empty () || number.back () != '\n')
	{
		const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (
		                      deadline - std::chrono::steady_clock::now ())
		                      .count ();
		pollfd p {fds[0], POLLIN, 0};
		if (left <= 0 || poll (&p, 1, static_cast<int> (left)) <= 0)
			break;
		char c;
		ssize_t n = read (fds[0], &c, 1);
		if (n <= 0)
			break;
		number += c;
	}
	close (fds[0]);
	if (number.size () < 2 || number.back () != '\n')
	{
		error = "Xvfb did not report a display";
		stop ();
		return false;
	}
	number.pop_back ();
	display = ":" + number;
	const char* old = std::getenv ("DISPLAY");
	hadDisplay = old != nullptr;
	previousDisplay = old ? old : "";
	setenv ("DISPLAY", display.c_str (), 1);
	return true;
}

void XvfbServer::stop ()
{
	if (pid <= 0)
		return;
	if (!display.empty ())
	{
		if (hadDisplay)
			setenv ("DISPLAY", previousDisplay.c_str (), 1);
		else
			unsetenv ("DISPLAY");
		display.clear ();
	}
	kill (pid, SIGTERM);
	for (int i = 0; i < 200; ++i)
	{
		if (waitpid (pid, nullptr, WNOHANG) == pid)
		{
			pid = -1;
			return;
		}
		std::this_thread::sleep_for (std::chrono::milliseconds (10));
	}
	kill (pid, SIGKILL);
	waitpid (pid, nullptr, 0);
	pid = -1;
}

} // namespace x11test
