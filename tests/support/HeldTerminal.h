#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

// A pseudo-terminal held the way another program holds a port: the master side stands for the
// far end, `holder` is that program's descriptor of the device, at 115200 baud in canonical mode.
class HeldTerminal {
public:
    HeldTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
            return;
        }
        m_path = ::ptsname(m_master);
        m_holder = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        ::tcgetattr(m_holder, &tio);
        ::cfsetispeed(&tio, B115200);
        ::cfsetospeed(&tio, B115200);
        tio.c_lflag |= ICANON | ECHO;
        ::tcsetattr(m_holder, TCSANOW, &tio);
    }
    ~HeldTerminal() {
        for (int fd : {m_holder, m_master}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    HeldTerminal(const HeldTerminal&) = delete;
    HeldTerminal& operator=(const HeldTerminal&) = delete;

    bool valid() const { return m_holder >= 0; }
    const std::string& path() const { return m_path; }
    int holder() const { return m_holder; }

    // A line the far end sent that the holder has not read yet.
    void sendUnreadLine(const std::string& line) const {
        ASSERT_EQ(::write(m_master, line.data(), line.size()), ssize_t(line.size()));
        pollfd pfd{m_holder, POLLIN, 0};
        ASSERT_EQ(::poll(&pfd, 1, 1000), 1); // the line is in the holder's input queue
    }
    termios settings() const {
        termios tio{};
        ::tcgetattr(m_holder, &tio);
        return tio;
    }
    int unreadBytes() const {
        int count = -1;
        ::ioctl(m_holder, FIONREAD, &count);
        return count;
    }
    std::string readLine() const {
        char buffer[256];
        const ssize_t n = ::read(m_holder, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    }

private:
    int m_master = -1;
    int m_holder = -1;
    std::string m_path;
};
