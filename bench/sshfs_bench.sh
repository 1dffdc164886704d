#!/usr/bin/env bash
# Times quorvane-list against find, bfs and fdfind (with its 32 threads) on a tree shared over
# sshfs, where every folder read is a round trip to the server: the shape in which many reads
# in flight pay most. The server is an sshd of this script's own on the loopback (port 2222),
# with a key made for the run; the share is mounted without sshfs's folder cache, so that
# every run reads over the wire. Needs root (sshd, the mount) and the packages openssh-server
# and sshfs, which it installs when missing.
#
#   bench/sshfs_bench.sh                       # 20,000 folders in /tmp/quorvane-bench/shared
#   FOLDERS=5000 ROUNDS=3 bench/sshfs_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bench_dir=${BENCH_DIR:-/tmp/quorvane-bench}
folders=${FOLDERS:-20000}
[ "$(id -u)" = 0 ] || { echo "sshfs_bench: needs root (sshd and the mount)" >&2; exit 2; }

scripts/setup-debian.sh --bench
for package in openssh-server sshfs; do
    dpkg -s "$package" >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$package" >/dev/null
done
. bench/common.sh
build_list quorvane-list
mkdir -p "$bench_dir"
python3 bench/make_tree.py "$bench_dir/shared" --folders "$folders" --file-share 0.1

run=$(mktemp -d)
mount_point=$run/share
cleanup() {
    fusermount -u "$mount_point" 2>/dev/null || true
    [ -f "$run/sshd.pid" ] && kill "$(cat "$run/sshd.pid")" 2>/dev/null || true
    rm -rf "$run"
}
trap cleanup EXIT
ssh-keygen -q -t ed25519 -N '' -f "$run/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$run/client_key"
cp "$run/client_key.pub" "$run/authorized_keys"
mkdir -p /run/sshd
cat >"$run/sshd_config" <<CONFIG
Port 2222
ListenAddress 127.0.0.1
HostKey $run/host_key
AuthorizedKeysFile $run/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
UsePAM no
PidFile $run/sshd.pid
Subsystem sftp internal-sftp
# The key lies in a folder of the run, below /tmp.
StrictModes no
CONFIG
/usr/sbin/sshd -f "$run/sshd_config"
mkdir -p "$mount_point"
sshfs -p 2222 -o IdentityFile="$run/client_key",StrictHostKeyChecking=no \
    -o UserKnownHostsFile=/dev/null,dir_cache=no,LogLevel=ERROR \
    "root@127.0.0.1:$bench_dir/shared" "$mount_point"

python3 bench/walk_bench.py --list "$PWD/build/bench/quorvane-list" \
    --floor /bin/true --shared-floor /bin/true --caches warm --rounds "${ROUNDS:-3}" \
    --tree "sshfs=$mount_point" --only "quorvane-list,quorvane-list -j1,quorvane-list -j32,find,bfs,fdfind -j32"
